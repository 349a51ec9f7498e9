#pragma once
// The subcommands of quarrow-cli. Each returns the process's exit code: 0 when everything was done,
// 1 when something was refused or skipped (each named on the error stream). Failures of the system
// arrive as exceptions, which the caller reports.

#include "Progress.hpp"

#include <filesystem>
#include <vector>

namespace quarrow::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int RunList(const std::filesystem::path& archive, Progress& progress);
int RunExtract(const std::filesystem::path& archive, const std::filesystem::path& destination, Progress& progress);
int RunPack(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& inputs, Progress& progress);
int RunAppend(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& files,
              Progress& progress);

} // namespace quarrow::cli
