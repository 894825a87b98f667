// Files and folders for the platform layer: plain POSIX calls, so that a
// failure is a false result and never an exception.
#include "ui/system.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>

std::function<bool(int step, const std::string& path)> fileStepHook;

static bool stepAllowed(int step, const std::string& path) {
  if (fileStepHook && !fileStepHook(step, path)) {
    errno = EIO;
    return false;
  }
  return true;
}

int fileKind(const std::string& path) {
  struct stat st;
  if (path.empty() || stat(path.c_str(), &st) != 0) return FILE_NONE;
  if (S_ISDIR(st.st_mode)) return FILE_FOLDER;
  if (S_ISREG(st.st_mode)) return FILE_REGULAR;
  return FILE_NONE;
}

int64_t fileSize(const std::string& path) {
  struct stat st;
  if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return int64_t(st.st_size);
}

int64_t fileModified(const std::string& path) {
  struct stat st;
  if (path.empty() || stat(path.c_str(), &st) != 0) return 0;
  return int64_t(st.st_mtime);
}

bool makeFolder(const std::string& path) {
  if (path.empty() || !stepAllowed(STEP_MAKE_FOLDER, path)) return false;
  if (mkdir(path.c_str(), 0777) == 0) return true;
  return errno == EEXIST && fileKind(path) == FILE_FOLDER;
}

bool deleteFolderTree(const std::string& path) {
  if (fileKind(path) != FILE_FOLDER) return false;
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
  return !ec;
}

bool deleteFile(const std::string& path) {
  if (fileKind(path) != FILE_REGULAR && !isLink(path)) return false;
  return stepAllowed(STEP_DELETE, path) && unlink(path.c_str()) == 0;
}

static ReadResult readOpened(const std::string& path, int flags, std::string& bytes) {
  bytes.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | flags);
  if (fd < 0) return errno == ENOENT ? READ_MISSING : READ_FAILED;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return READ_FAILED;
  }
  bytes.reserve(size_t(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      bytes.clear();
      return READ_FAILED;
    }
    if (n == 0) break;
    bytes.append(buffer, size_t(n));
  }
  close(fd);
  return READ_DONE;
}

// Without O_NONBLOCK a pipe in the file's place would wait for a writer.
ReadResult readFileIfThere(const std::string& path, std::string& bytes) {
  return readOpened(path, O_NONBLOCK, bytes);
}

bool readFile(const std::string& path, std::string& bytes) {
  return readFileIfThere(path, bytes) == READ_DONE;
}

ReadResult readPlainFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return errno == ENOENT ? READ_MISSING : READ_FAILED;
  if (!S_ISREG(st.st_mode)) return READ_NOT_PLAIN;
  // Something put in its place since is opened without waiting, and refused.
  return readOpened(path, O_NOFOLLOW | O_NONBLOCK, bytes);
}

// Past a file-size limit the kernel would end the whole program in the
// middle of a write (unsaved work gone, a cut-off file left); ignored, the
// write fails and is reported like a full disk. Set before every write (one
// cheap call), so that nothing that reset it in between can bring it back.
static void ignoreFileSizeSignal() { signal(SIGXFSZ, SIG_IGN); }

static bool writeAll(int fd, const std::string& path, const std::string& bytes) {
  if (!stepAllowed(STEP_WRITE, path)) return false;
  ignoreFileSizeSignal();
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

bool writeFile(const std::string& path, const std::string& bytes) {
  if (path.empty()) return false;
  // A link in the file's place could point anywhere: not written through.
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return false;
  bool ok = writeAll(fd, path, bytes);
  return close(fd) == 0 && ok;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  return path.substr(0, slash + 1);
}

std::string writeNewFile(const std::string& folder, const std::string& prefix, const std::string& bytes,
                         bool sync, int permissions) {
  std::string temp = (folder.empty() || folder.back() == '/' ? folder : folder + "/") + prefix + "XXXXXX";
  // mkstemp creates the file exclusively: never through a link of that name.
  int fd = mkstemp(temp.data());
  if (fd < 0) return "";
  // mkstemp makes the file 0600; a saved file gets the usual permissions,
  // set before the sync so that they last with the bytes.
  if (permissions < 0) {
    mode_t mask = umask(0);
    umask(mask);
    permissions = int(0666 & ~mask);
  }
  bool ok = fchmod(fd, mode_t(permissions & 0777)) == 0 && writeAll(fd, temp, bytes) &&
            (!sync || (stepAllowed(STEP_SYNC, temp) && fsync(fd) == 0));
  ok = close(fd) == 0 && ok;
  if (!ok) {
    unlink(temp.c_str());
    return "";
  }
  return temp;
}

bool syncFile(const std::string& path) {
  if (!stepAllowed(STEP_SYNC, path)) return false;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

bool syncFolder(const std::string& path) {
  if (!stepAllowed(STEP_SYNC, path)) return false;
  int fd = open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

bool isLink(const std::string& path) {
  struct stat st;
  std::string bare = path;
  while (bare.size() > 1 && bare.back() == '/') bare.pop_back();
  return !bare.empty() && lstat(bare.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool isAnythingAt(const std::string& path) {
  struct stat st;
  return !path.empty() && lstat(path.c_str(), &st) == 0;
}

int filePermissions(const std::string& path) {
  struct stat st;
  if (path.empty() || lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return int(st.st_mode & 0777);
}

bool writeFileAtomic(const std::string& path, const std::string& bytes) {
  if (path.empty() || path.back() == '/' || fileKind(path) == FILE_FOLDER) return false;
  std::string folder = folderOf(path);
  std::string temp = writeNewFile(folder, ".zmtmp-", bytes, true, filePermissions(path));
  if (temp.empty()) return false;
  if (!stepAllowed(STEP_RENAME, path) || rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  // The rename itself lasts only once the folder entry is on disk.
  syncFolder(folder);
  return true;
}

bool copyFile(const std::string& from, const std::string& to) {
  std::string bytes;
  if (fileKind(from) != FILE_REGULAR || !readFile(from, bytes)) return false;
  // Through a temporary file: a copy that fails leaves no half file behind
  // and an older copy whole.
  return writeFileAtomic(to, bytes);
}

bool renameFile(const std::string& from, const std::string& to) {
  if ((fileKind(from) == FILE_NONE && !isLink(from)) || to.empty() || !stepAllowed(STEP_RENAME, to))
    return false;
  return rename(from.c_str(), to.c_str()) == 0;
}

// Calls `take` with each matching entry's name and type: READ_MISSING when
// the folder is not there, READ_FAILED when it cannot be opened or read to
// its end.
template <typename Take>
static ReadResult eachEntry(const std::string& path, const std::string& pattern, Take take) {
  DIR* dir = opendir(path.empty() ? "." : path.c_str());
  if (!dir) return errno == ENOENT ? READ_MISSING : READ_FAILED;
  for (;;) {
    // readdir's end and its failure look alike but for errno.
    errno = 0;
    struct dirent* e = readdir(dir);
    if (!e) break;
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (!pattern.empty() && fnmatch(pattern.c_str(), name.c_str(), 0) != 0) continue;
    take(name, e->d_type);
  }
  bool whole = errno == 0;
  closedir(dir);
  return whole ? READ_DONE : READ_FAILED;
}

ReadResult listFolderIfThere(const std::string& path, const std::string& pattern, std::vector<DirEntry>& out) {
  out.clear();
  std::string base = path.empty() ? std::string("./") : path;
  if (base.back() != '/') base += '/';
  const ReadResult result = eachEntry(path, pattern, [&](const std::string& name, unsigned char type) {
    int kind = FILE_NONE;
    if (type == DT_DIR) kind = FILE_FOLDER;
    else if (type == DT_REG) kind = FILE_REGULAR;
    else kind = fileKind(base + name);   // links and file systems without d_type
    if (kind != FILE_NONE) out.push_back({name, kind});
  });
  if (result != READ_DONE) out.clear();
  return result;
}

bool listFolder(const std::string& path, const std::string& pattern, std::vector<DirEntry>& out) {
  return listFolderIfThere(path, pattern, out) == READ_DONE;
}

bool listNames(const std::string& path, const std::string& pattern, std::vector<std::string>& names) {
  names.clear();
  bool whole = eachEntry(path, pattern, [&](const std::string& name, unsigned char) { names.push_back(name); }) == READ_DONE;
  if (!whole) names.clear();
  return whole;
}

std::string currentFolder() {
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) return "./";
  std::string folder = buffer;
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool setCurrentFolder(const std::string& path) {
  return !path.empty() && chdir(path.c_str()) == 0;
}
