#include "core/file/replaced_files.h"

#include "core/util/later_work.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool RenameReplacing(const QByteArray &from, const QByteArray &to)
{
    // A path descriptor keeps the file without opening it: no permission is
    // needed, and nothing (a device, a pipe) is opened for reading.
    const int held = ::open(to.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (::rename(from.constData(), to.constData()) != 0) {
        const int error = errno;
        if (held >= 0)
            ::close(held);
        errno = error;
        return false;
    }
    if (held >= 0)
        DoLater([held] { ::close(held); });
    return true;
}
