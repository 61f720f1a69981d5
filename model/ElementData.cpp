#include "model/ElementData.h"

#include "io/InstalledFile.h"

#include "model/BondLimits.h"
#include "model/ElementTable.h"
#include "model/ResidueColourTable.h"
#include "model/TextScanner.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

namespace {

bool ParseHex(std::string_view text, std::uint32_t& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    unsigned long long wide = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), wide, 16);
    if (ec != std::errc() || end == text.data())
        return false;
    value = static_cast<std::uint32_t>(wide);
    return true;
}

// A line that ends a section: nothing but white space (trailing blanks that
// nobody can see in an editor still end it).
bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string::npos;
}

bool ReadDataLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

void ParseLimit(const std::string& line, BondLimits& limits) {
    std::istringstream fields(line);
    std::string first, second, distance;
    double value = 0.0;
    if (!(fields >> first >> second >> distance) || !TextScanner(distance).Real(value))
        return;
    limits.SetDistance(ElementTable::NumberOfSymbol(first), ElementTable::NumberOfSymbol(second),
                       value);
}

void ParseColour(const std::string& line, ResidueColourTable& colours) {
    std::istringstream fields(line);
    std::string name, hex;
    std::uint32_t value = 0;
    if (!(fields >> name >> hex) || !ParseHex(hex, value))
        return;
    colours.Set(name, value);
}

} // namespace

bool LoadElementData(BondLimits& limits, ResidueColourTable& colours, const std::string& path) {
    limits.ApplyBuiltIn();
    std::ifstream in(path, std::ios::binary);
    if (path.empty() || !in)
        return false;
    std::string line;
    while (ReadDataLine(in, line) && !IsBlank(line)) {
        if (line.front() != '#')
            ParseLimit(line, limits);
    }
    while (ReadDataLine(in, line) && !IsBlank(line)) {
        if (line.front() != '#')
            ParseColour(line, colours);
    }
    return true;
}

std::string ElementDataPath() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || exe.empty())
        return {};
    return ElementDataPath(exe.parent_path().string());
}

std::string ElementDataPath(const std::string& programFolder) {
    return InstalledFile(programFolder, RAVEK_DATA_FROM_BIN, "ravek.dat");
}

void LoadElementData() {
    LoadElementData(BondLimits::instance(), ResidueColourTable::instance(), ElementDataPath());
}
