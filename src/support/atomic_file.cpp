// Writing a file whole; see atomic_file.h.
#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace quorvin {

void WriteFileAtomically(const std::string& fileName, const std::string& text) {
    const std::string temp = fileName + ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    // The temporary file is the program's business: a failure names the file the user chose.
    if (!f) throw std::runtime_error("Cannot create " + fileName + ": " + std::strerror(errno));
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const bool flushed = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) {
        const int err = errno;
        std::remove(temp.c_str());
        throw std::runtime_error("Cannot write " + fileName + ": " + std::strerror(err));
    }
    if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
        const int err = errno;
        std::remove(temp.c_str());
        throw std::runtime_error("Cannot write " + fileName + ": " + std::strerror(err));
    }
}

} // namespace quorvin
