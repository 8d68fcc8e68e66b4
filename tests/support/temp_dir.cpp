#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvel::testing {

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/tarvel-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::operator/(const std::string& name) const {
    return path_ + "/" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string EntryText(const std::string& path) {
    namespace sfs = std::filesystem;
    std::error_code error;
    const sfs::file_status status = sfs::symlink_status(path, error);
    switch (status.type()) {
        case sfs::file_type::not_found:
            return "<nothing>";
        case sfs::file_type::regular:
            return ReadBytes(path);
        case sfs::file_type::symlink:
            return "<link to " + sfs::read_symlink(path).string() + ">";
        case sfs::file_type::fifo:
            return "<named pipe>";
        default:
            return "<entry of type " + std::to_string(static_cast<int>(status.type())) + ">";
    }
}

}  // namespace tarvel::testing
