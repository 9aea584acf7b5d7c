#pragma once
// Small tools that put a test into a faulty environment and take it out again:
// an environment variable changed, a file-size limit that makes writes fail as on
// a full disk, a fake program on disk, a FIFO or a folder where a file is read.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>
#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

// Sets (or, with unset, removes) an environment variable until the object goes.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value, bool unset = false)
            : name_(name),
              old_(qgetenv(name)),
              had_(qEnvironmentVariableIsSet(name))
    {
        if (unset)
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

// Until the object goes, no file of this process can grow past `bytes`: a write
// beyond fails with EFBIG, as a write on a full disk fails with ENOSPC. The
// signal the system sends with it is ignored meanwhile, so the program under
// test sees the failed write and nothing else. Needs no mount and no root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &oldAction_);
        struct rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::sigaction(SIGXFSZ, &oldAction_, nullptr);
    }
    bool active() const { return active_; }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct rlimit old_ {};
    struct sigaction oldAction_ {};
    bool active_ = false;
};

// Until the object goes, the calling thread obeys file permissions even when it
// runs as root (as CI does): the capabilities that override them are taken out
// of its effective set and put back afterwards. A read-only folder is then as
// read-only for the test as for an ordinary user. Without root it changes nothing.
class ObeyFilePermissions {
public:
    ObeyFilePermissions()
    {
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        active_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~ObeyFilePermissions()
    {
        if (active_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    bool active() const { return active_; }
    ObeyFilePermissions(const ObeyFilePermissions&) = delete;
    ObeyFilePermissions& operator=(const ObeyFilePermissions&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

// Writes `script` as an executable file.
inline void makeExecutable(const QString& fileName, const QByteArray& script)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(script);
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

inline QByteArray fileContents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether process `pid` still runs; a zombie that no one has reaped yet does not.
inline bool processRunning(pid_t pid)
{
    if (pid <= 0 || ::kill(pid, 0) != 0)
        return false;
    const QByteArray stat = fileContents(QStringLiteral("/proc/%1/stat").arg(pid));
    const qsizetype end = stat.lastIndexOf(')');
    return end < 0 || end + 2 >= stat.size() || stat.at(end + 2) != 'Z';
}

// Gives a file or folder (not a link's target) a modification time long past.
inline bool backdate(const QString& path)
{
    const struct timeval longAgo[2] = {{1577836800, 0}, {1577836800, 0}}; // 1 January 2020
    return ::lutimes(QFile::encodeName(path).constData(), longAgo) == 0;
}

// What plant() puts at a path.
enum class Planted {
    File, // a regular file holding the content given
    Folder, // an empty folder, with any folder above it
    Fifo, // a FIFO no one writes to: a reader that waits on it waits for ever
};

// Puts a file, a folder or a FIFO at `path`; false when it cannot.
[[nodiscard]] inline bool plant(const QString& path, Planted kind, const QByteArray& content = {})
{
    switch (kind) {
    case Planted::File: {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }
    case Planted::Folder: return QDir().mkpath(path);
    case Planted::Fifo: return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    }
    return false;
}
