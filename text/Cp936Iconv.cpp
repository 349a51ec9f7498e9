// Code page 936 through iconv, for systems without the Windows API.
#include "Cp936.hpp"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace quarrow::cp936 {

namespace {

// One converter per direction and thread, opened on first use: opening costs far more than a
// conversion, and listing an archive converts one name per entry.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input or nothing.
    bool Convert(const char* input, std::size_t inputSize, std::vector<char>& output) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            return false;
        }
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        output.resize(inputSize * 4 + 16);
        auto* in = const_cast<char*>(input);
        std::size_t inLeft = inputSize;
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
            return false;
        }
        if (iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            return false;
        }
        output.resize(output.size() - outLeft);
        return true;
    }

private:
    iconv_t handle_;
};

Converter& Encoder() {
    thread_local Converter converter("CP936", "WCHAR_T");
    return converter;
}

Converter& Decoder() {
    thread_local Converter converter("WCHAR_T", "CP936");
    return converter;
}

} // namespace

std::optional<std::string> Encode(std::wstring_view text) {
    std::vector<char> bytes;
    if (!Encoder().Convert(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t), bytes)) {
        return std::nullopt;
    }
    return std::string(bytes.begin(), bytes.end());
}

std::optional<std::wstring> Decode(std::string_view bytes) {
    std::vector<char> wide;
    if (!Decoder().Convert(bytes.data(), bytes.size(), wide) || wide.size() % sizeof(wchar_t) != 0) {
        return std::nullopt;
    }
    std::wstring text(wide.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), wide.data(), wide.size());
    return text;
}

} // namespace quarrow::cp936
