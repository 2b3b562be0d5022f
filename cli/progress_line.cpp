#include "cli/progress_line.h"

#include <cstdio>

#include "ops/progress.h"

namespace mw::cli {
namespace {

// UTF-8 continuation bytes take no column of their own.
bool StartsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

std::size_t Columns(const std::string& text)
{
    std::size_t columns = 0;
    for (const char c : text)
        columns += StartsCharacter(c) ? 1 : 0;
    return columns;
}

}  // namespace

std::string ByteCount(std::int64_t bytes)
{
    static constexpr const char* kUnits[] = {"KiB", "MiB", "GiB", "TiB"};
    if (bytes < 1024)
        return std::to_string(bytes) + " B";
    double value = static_cast<double>(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

std::string FitFromEnd(const std::string& text, std::size_t width)
{
    std::size_t columns = Columns(text);
    if (columns <= width)
        return text;
    if (width < 3)
        return std::string(width, '.');
    std::size_t at = 0;
    while (columns > width - 3 && at < text.size()) {
        ++at;
        while (at < text.size() && !StartsCharacter(text[at]))
            ++at;
        --columns;
    }
    return "..." + text.substr(at);
}

namespace {

// The label, cut from its front to leave room for the figures after it.
std::string WithFigures(const std::string& label, const std::string& figures, std::size_t width)
{
    const std::size_t figureColumns = Columns(figures);
    if (figureColumns >= width)
        return figures.substr(0, width);  // ASCII: the percentage first
    return FitFromEnd(label, width - figureColumns) + figures;
}

}  // namespace

std::string ProgressLine(const std::string& label, std::int64_t done, std::int64_t total,
                         double bytesPerSecond, std::size_t width)
{
    std::string figures = " ";
    figures += std::to_string(BytePercent(done, total)) + "%  " + ByteCount(done) + " / " + ByteCount(total);
    if (bytesPerSecond >= 0)
        figures += "  " + ByteCount(static_cast<std::int64_t>(bytesPerSecond)) + "/s";
    return WithFigures(label, figures, width);
}

std::string StepLine(const std::string& label, int percent, std::size_t width)
{
    return WithFigures(label, ' ' + std::to_string(percent) + '%', width);
}

}  // namespace mw::cli
