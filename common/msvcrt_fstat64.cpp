// libstdc++'s file streams ask msvcrt.dll for _fstat64, which it has only
// from Windows 2000 on, so that a program using them would not load on
// Windows 95 or NT 4. Defining the import's pointer here keeps the import
// out: this _fstat64 reads through _fstati64, which every msvcrt.dll has
// (from Visual C++ 4.2 on). 32-bit build only, where the names carry the
// leading underscore written below.
#include <sys/stat.h>

extern "C" {

extern int(__cdecl* const ImportedFstati64)(int, struct _stat32i64*) __asm__("__imp___fstati64");

static int __cdecl Fstat64(int fd, struct _stat64* out) {
    struct _stat32i64 st;
    if (ImportedFstati64(fd, &st) != 0) return -1;
    out->st_dev = st.st_dev;
    out->st_ino = st.st_ino;
    out->st_mode = st.st_mode;
    out->st_nlink = st.st_nlink;
    out->st_uid = st.st_uid;
    out->st_gid = st.st_gid;
    out->st_rdev = st.st_rdev;
    out->st_size = st.st_size;
    out->st_atime = st.st_atime;
    out->st_mtime = st.st_mtime;
    out->st_ctime = st.st_ctime;
    return 0;
}

int(__cdecl* ImportedFstat64)(int, struct _stat64*) __asm__("__imp___fstat64") = Fstat64;
}
