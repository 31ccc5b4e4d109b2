#include "platform/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

int RegularFile_Check(int fd, struct stat* info) {
  if (fd < 0) return -1;
  struct stat own;
  if (info == nullptr) info = &own;
  int why = 0;
  if (fstat(fd, info) != 0) {
    why = errno;
  } else if (!S_ISREG(info->st_mode)) {
    why = S_ISDIR(info->st_mode) ? EISDIR : EINVAL;
  } else {
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) why = errno;
  }
  if (why == 0) return fd;
  close(fd);
  errno = why;
  return -1;
}

int RegularFile_Open(const char* path, struct stat* info) {
  if (path == nullptr || path[0] == '\0') {
    errno = ENOENT;
    return -1;
  }
  return RegularFile_Check(open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC), info);
}

FILE* RegularFile_OpenStream(const char* path, struct stat* info) {
  const int fd = RegularFile_Open(path, info);
  FILE* file = fd < 0 ? nullptr : fdopen(fd, "rb");
  if (file == nullptr && fd >= 0) {
    const int why = errno;
    close(fd);
    errno = why;
  }
  return file;
}

const char* RegularFile_Reason(int error) {
  if (error == EISDIR || error == EINVAL) return "not a regular file";
  return std::strerror(error != 0 ? error : EIO);
}
