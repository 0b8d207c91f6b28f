#pragma once
// Why an access to a file failed.
namespace hv {

enum class FileError {
    None,
    NotFound,          // the file is missing
    PathNotFound,      // a folder of the path is missing
    AccessDenied,      // read-only file, no permission, or a directory
    SharingViolation,  // another program holds the file open
    DiskFull,          // a write could not write all its bytes
    BadSeek,
    InvalidPath,
    Generic,
};

}  // namespace hv
