// Fuzz target for the profile file in memory: any bytes parse, the text written from them
// parses back to the same text with the same keys and values, and a written value reads back
// before and after such a round trip.
#include "fuzz_check.h"
#include "ini_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

using namespace quorvin;

namespace {

// The names in the header lines of a text, roughly: enough to compare the sections that a
// round trip keeps.
std::vector<std::string> HeaderNames(const std::string& text) {
    std::vector<std::string> names;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto open = line.find('[');
        const auto close = line.rfind(']');
        if (open != std::string::npos && close != std::string::npos && open < close)
            names.push_back(line.substr(open + 1, close - open - 1));
    }
    return names;
}

void CheckSameContents(const TIniFile& a, const TIniFile& b, const std::string& text) {
    for (const std::string& section : HeaderNames(text)) {
        const auto keys = a.Keys(section);
        Check(keys == b.Keys(section));
        for (const std::string& key : keys) Check(a.Read(section, key) == b.Read(section, key));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TIniFile ini;
    ini.Parse(bytes);
    const std::string text = ini.Text();

    TIniFile again;
    again.Parse(text);
    Check(again.Text() == text);
    CheckSameContents(ini, again, bytes);

    // A value of any bytes but a line break reads back, in the file and after a round trip.
    std::string value = bytes.substr(0, 32);
    std::erase(value, '\n');
    again.Write("Fuzz", "Key", value);
    Check(again.Read("fuzz", "key") == value);
    TIniFile written;
    written.Parse(again.Text());
    Check(written.Read("Fuzz", "Key") == again.Read("Fuzz", "Key"));
    return 0;
}
