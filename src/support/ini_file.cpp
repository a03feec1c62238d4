// Reading and writing profile files; see ini_file.h.
#include "ini_file.h"

#include "atomic_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quorvin {

namespace {
std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}
} // namespace

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void TIniFile::Load(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        Sections.clear();
        return;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    if (in.bad()) throw std::runtime_error("Cannot read " + fileName);
    Parse(ss.str());
}

void TIniFile::Parse(const std::string& text) {
    Sections.clear();
    Sections.push_back({"", {}, false});
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string t = Trim(line);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            Sections.push_back({Trim(t.substr(1, t.size() - 2)), {}});
            continue;
        }
        const auto eq = line.find('=');
        if (t.empty() || t[0] == ';' || eq == std::string::npos) {
            Sections.back().Entries.push_back({"", "", line});
            continue;
        }
        Sections.back().Entries.push_back({Trim(line.substr(0, eq)), line.substr(eq + 1), line});
    }
}

TIniFile::TSection* TIniFile::FindSection(const std::string& name) {
    for (auto& s : Sections)
        if (!s.Name.empty() && SameText(s.Name, name)) return &s;
    return nullptr;
}

const TIniFile::TSection* TIniFile::FindSection(const std::string& name) const {
    return const_cast<TIniFile*>(this)->FindSection(name);
}

std::optional<std::string> TIniFile::Read(const std::string& section,
                                          const std::string& key) const {
    if (const TSection* s = FindSection(section))
        for (const auto& e : s->Entries)
            if (!e.Key.empty() && SameText(e.Key, key)) return e.Value;
    return std::nullopt;
}

std::vector<std::string> TIniFile::Keys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const TSection* s = FindSection(section))
        for (const auto& e : s->Entries)
            if (!e.Key.empty()) keys.push_back(e.Key);
    return keys;
}

void TIniFile::Write(const std::string& section, const std::string& key, const std::string& value) {
    TSection* s = FindSection(section);
    if (!s) {
        if (Sections.empty()) Sections.push_back({"", {}, false});
        Sections.push_back({section, {}});
        s = &Sections.back();
    }
    for (auto& e : s->Entries)
        if (!e.Key.empty() && SameText(e.Key, key)) {
            e.Value = value;
            return;
        }
    // New keys go after the last key of the section, before trailing blank lines.
    auto pos = s->Entries.end();
    while (pos != s->Entries.begin() && std::prev(pos)->Key.empty() &&
           Trim(std::prev(pos)->Raw).empty())
        --pos;
    s->Entries.insert(pos, {key, value, ""});
}

std::string TIniFile::Text() const {
    std::string out;
    for (const auto& s : Sections) {
        if (s.Header) out += "[" + s.Name + "]\r\n";
        for (const auto& e : s.Entries)
            out += (e.Key.empty() ? e.Raw : e.Key + "=" + e.Value) + "\r\n";
    }
    return out;
}

void TIniFile::Save(const std::string& fileName) const {
    WriteFileAtomically(fileName, Text());
}

} // namespace quorvin
