#include "kmz/archive_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "base/paths.h"
#include "base/trackmint_error.h"
#include "kmz/zip_errors.h"

namespace trackmint {
namespace {

constexpr const char* kHiddenPrefix = ".trackmint-";

std::string CannotCreate(const std::string& path, int error_number) {
  return WithReason("Can't create the output file " + path, error_number);
}

bool IsOutOfSpace(int error_number) {
  return error_number == ENOSPC || error_number == EDQUOT || error_number == EFBIG;
}

}  // namespace

ArchiveFile::ArchiveFile(std::string final_path)
    : m_final_path(std::move(final_path)), m_directory(DirectoryPart(m_final_path)) {
  struct stat existing {};
  const bool exists = ::stat(m_final_path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    throw TrackmintError(CannotCreate(m_final_path, EISDIR));
  }
  m_fd = CreateUniqueFile(m_directory, kHiddenPrefix, ".part", m_temporary_path);
  if (!m_fd.valid()) throw TrackmintError(CannotCreate(m_final_path, errno));
  // A replaced archive keeps the permissions the user gave it.
  if (exists) ::fchmod(m_fd.get(), existing.st_mode & 07777);
}

ArchiveFile::~ArchiveFile() {
  if (!m_in_place) {
    m_fd.Close();
    ::unlink(m_temporary_path.c_str());
  }
}

bool ArchiveFile::IsThisArchive(const struct stat& info) const {
  struct stat own {};
  if (::fstat(m_fd.get(), &own) == 0 && own.st_dev == info.st_dev && own.st_ino == info.st_ino) {
    return true;
  }
  struct stat previous {};
  return ::stat(m_final_path.c_str(), &previous) == 0 && previous.st_dev == info.st_dev &&
         previous.st_ino == info.st_ino;
}

void ArchiveFile::ThrowWriteError(int error_number) const {
  if (IsOutOfSpace(error_number)) throw MemberError(DiskFullText());
  throw TrackmintError(WithReason("Can't write the output file " + m_final_path, error_number));
}

void ArchiveFile::WriteAt(std::uint64_t offset, std::span<const unsigned char> bytes) {
  if (const int error = WriteAllAt(m_fd.get(), offset, bytes)) ThrowWriteError(error);
}

void ArchiveFile::ReadAt(std::uint64_t offset, std::span<unsigned char> bytes) const {
  if (const int error = ReadAllAt(m_fd.get(), offset, bytes)) {
    throw TrackmintError(WithReason("Can't read the output file " + m_final_path, error));
  }
}

void ArchiveFile::Truncate(std::uint64_t size) {
  if (::ftruncate(m_fd.get(), static_cast<off_t>(size)) != 0) ThrowWriteError(errno);
}

void ArchiveFile::Sync() {
  if (::fsync(m_fd.get()) != 0) ThrowWriteError(errno);
}

void ArchiveFile::PutInPlace() {
  Sync();
  if (!m_fd.Close()) ThrowWriteError(errno);
  if (std::rename(m_temporary_path.c_str(), m_final_path.c_str()) != 0) {
    throw TrackmintError(CannotCreate(m_final_path, errno));
  }
  m_in_place = true;
  // The rename itself reaches the disk with the directory.
  const std::string directory = m_directory.empty() ? "." : m_directory;
  const UniqueFd directory_fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory_fd.valid()) ::fsync(directory_fd.get());
}

UniqueFd ArchiveFile::CreateSpareFile() const {
  std::string path;
  UniqueFd spare = CreateUniqueFile(m_directory, kHiddenPrefix, ".spare", path);
  if (!spare.valid()) throw TrackmintError(CannotCreate(m_final_path, errno));
  ::unlink(path.c_str());
  return spare;
}

void ArchiveFile::CopyOut(std::uint64_t offset, std::uint64_t length, int to_fd,
                          std::uint64_t to_offset) {
  if (const int error = CopyBetween(m_fd.get(), offset, to_fd, to_offset, length)) {
    ThrowWriteError(error);
  }
}

void ArchiveFile::CopyIn(std::uint64_t offset, int from_fd, std::uint64_t from_offset,
                         std::uint64_t length) {
  if (const int error = CopyBetween(from_fd, from_offset, m_fd.get(), offset, length)) {
    ThrowWriteError(error);
  }
}

}  // namespace trackmint
