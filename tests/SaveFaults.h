// Failing disks for the tests of the writers of users' files, which all save
// through SaveFileAtomically:
//   TScopedSaveFault  the saves of its scope go to a stream that takes Limit
//                     bytes and refuses the rest (a full disk), or whose close
//                     fails (a disk that loses the data late);
//   TSmallDisk        a real file system of a few kilobytes (a tmpfs mounted
//                     for the test: the host, as root; skipped elsewhere).
#pragma once

#include <algorithm>
#include <limits>
#include <vector>

#include "framework/runtime/Classes.h"

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>

#include <random>
#endif

class TFailingSaveStream : public TFileStream {
public:
    TFailingSaveStream(const String& FileName, Int64 Limit, bool FailClose)
        : TFileStream(FileName, fmCreate), FLimit(Limit), FFailClose(FailClose)
    {
    }
    Integer Write(const void* Buffer, Integer Count) override
    {
        const Int64 Room = std::max<Int64>(0, FLimit - Size());
        return TFileStream::Write(Buffer, static_cast<Integer>(std::min<Int64>(Count, Room)));
    }
    void Close() override
    {
        TFileStream::Close();
        // What the system answers when it could not write the data after all.
        if (FFailClose) throw EWriteError(u"Cannot write file \"" + FileName() + u"\". Input/output error");
    }

private:
    Int64 FLimit;
    bool FFailClose;
};

class TScopedSaveFault {
public:
    explicit TScopedSaveFault(Int64 Limit, bool FailClose = false)
    {
        SaveStreamFactory = [this, Limit, FailClose](const String& TempName) -> std::unique_ptr<TFileStream> {
            TempNames.push_back(TempName);
            return std::make_unique<TFailingSaveStream>(TempName, Limit, FailClose);
        };
    }
    ~TScopedSaveFault() { SaveStreamFactory = nullptr; }
    TScopedSaveFault(const TScopedSaveFault&) = delete;
    TScopedSaveFault& operator=(const TScopedSaveFault&) = delete;

    // The temporaries the saves made, in order.
    std::vector<String> TempNames;
};

#ifndef _WIN32
class TSmallDisk {
public:
    explicit TSmallDisk(Integer KiloBytes)
    {
        std::random_device Device;
        FPath = GetTempDirectory() + u"lm_disk_" + IntToStr(Device() % 100000000) + u"\\";
        ForceDirectories(FPath);
        const std::string Options = "size=" + std::to_string(KiloBytes) + "k";
        FMounted = ::mount("tmpfs", HostPath(ExcludeTrailingPathDelimiter(FPath)).c_str(), "tmpfs", 0,
                           Options.c_str()) == 0;
    }
    ~TSmallDisk()
    {
        if (FMounted) ::umount2(HostPath(ExcludeTrailingPathDelimiter(FPath)).c_str(), MNT_DETACH);
        RemoveDir(ExcludeTrailingPathDelimiter(FPath));
    }
    TSmallDisk(const TSmallDisk&) = delete;
    TSmallDisk& operator=(const TSmallDisk&) = delete;

    bool Mounted() const { return FMounted; }
    // The disk's folder, with a trailing backslash.
    const String& Path() const { return FPath; }

private:
    String FPath;
    bool FMounted = false;
};
#endif
