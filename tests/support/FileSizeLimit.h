#pragma once

#include <sys/resource.h>

namespace orv::test {

// While it lives, no file of this process may grow past a size: writes beyond it fail as they
// would on a full disk (EFBIG instead of ENOSPC).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved = {};
};

} // namespace orv::test
