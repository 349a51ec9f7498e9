#include "AboutText.hpp"

namespace quarrow::app {

std::wstring VersionLabel(const VersionInfo& version) { return L"版本 " + version.Text(); }

std::wstring LegalNotice() { return L"郑重声明：\r\n\r\n        \r\n\r\n        "; }

} // namespace quarrow::app
