#include "framework/runtime/Classes.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>

#ifdef _WIN32
#include "framework/runtime/win/WinPlatform.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// ---------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(TPersistent* Source)
{
    if (Source) Source->AssignTo(this);
    else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source)
{
    String SourceName = Source ? Source->ClassName() : String(u"nil");
    throw EConvertError(Format(u"Cannot assign a %s to a %s", {SourceName, ClassName()}));
}

// ---------------------------------------------------------------------------
// TStream

void TStream::ReadBuffer(void* Buffer, Integer Count)
{
    if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Integer Count)
{
    if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count)) throw EWriteError(u"Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count)
{
    if (Count <= 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    const Integer BufSize = 0xF000;
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<Int64>(Count, BufSize)) + 1);
    Int64 done = 0;
    while (done < Count) {
        Integer n = static_cast<Integer>(std::min<Int64>(Count - done, BufSize));
        Source->ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        done += n;
    }
    return done;
}

Int64 TStream::Size()
{
    Int64 pos = Seek(0, soCurrent);
    Int64 size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(Int64) {}

// ---------------------------------------------------------------------------
// TCustomMemoryStream / TMemoryStream

Integer TCustomMemoryStream::Read(void* Buffer, Integer Count)
{
    if (Count <= 0 || FPosition < 0 || FPosition >= FSize) return 0;
    Int64 n = std::min<Int64>(Count, FSize - FPosition);
    std::memcpy(Buffer, FMemory + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return static_cast<Integer>(n);
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = FSize + Offset; break;
    }
    return FPosition;
}

void TCustomMemoryStream::SetPointer(void* Ptr, Int64 Size)
{
    FMemory = static_cast<uint8_t*>(Ptr);
    FSize = Size;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream)
{
    Int64 done = 0;
    while (done < FSize) {
        Integer n = static_cast<Integer>(std::min<Int64>(FSize - done, 0x40000000));
        Stream->WriteBuffer(FMemory + done, n);
        done += n;
    }
}

void TCustomMemoryStream::SaveToFile(const String& FileName)
{
    SaveFileAtomically(FileName, [this](TStream* File) { SaveToStream(File); });
}

TMemoryStream::~TMemoryStream()
{
    std::free(FMemory);
}

void TMemoryStream::Clear()
{
    SetCapacity(0);
    FSize = 0;
    FPosition = 0;
}

void* TMemoryStream::Realloc(Int64& NewCapacity)
{
    if (NewCapacity > 0 && NewCapacity != FSize) {
        // Grow in 8 KB steps.
        NewCapacity = (NewCapacity + 0x1FFF) & ~Int64(0x1FFF);
    }
    if (NewCapacity == FCapacity) return FMemory;
    if (NewCapacity == 0) {
        std::free(FMemory);
        return nullptr;
    }
    if (static_cast<UInt64>(NewCapacity) > SIZE_MAX / 2) throw EOutOfMemory(u"Out of memory while expanding memory stream");
    void* p = std::realloc(FMemory, static_cast<size_t>(NewCapacity));
    if (!p) throw EOutOfMemory(u"Out of memory while expanding memory stream");
    return p;
}

void TMemoryStream::SetCapacity(Int64 NewCapacity)
{
    if (NewCapacity < 0) NewCapacity = 0;
    FMemory = static_cast<uint8_t*>(Realloc(NewCapacity));
    FCapacity = NewCapacity;
    if (FSize > FCapacity) FSize = FCapacity;
}

void TMemoryStream::SetSize(Int64 NewSize)
{
    if (NewSize < 0) NewSize = 0;
    Int64 oldPos = FPosition;
    Int64 oldSize = FSize;
    SetCapacity(NewSize);
    FSize = NewSize;
    // Bytes added by growing read as zero.
    if (NewSize > oldSize) std::memset(FMemory + oldSize, 0, static_cast<size_t>(NewSize - oldSize));
    if (oldPos > NewSize) Seek(0, soEnd);
}

Integer TMemoryStream::Write(const void* Buffer, Integer Count)
{
    if (Count <= 0 || FPosition < 0) return 0;
    Int64 end = FPosition + Count;
    if (end > FSize) {
        if (end > FCapacity) SetCapacity(std::max(end, FCapacity + FCapacity / 2));
        // A gap left by seeking past the end reads as zero.
        if (FPosition > FSize) std::memset(FMemory + FSize, 0, static_cast<size_t>(FPosition - FSize));
        FSize = end;
    }
    std::memcpy(FMemory + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    Int64 count = Stream->Size();
    SetSize(count);
    Int64 done = 0;
    while (done < count) {
        Integer n = static_cast<Integer>(std::min<Int64>(count - done, 0x40000000));
        Stream->ReadBuffer(FMemory + done, n);
        done += n;
    }
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName)
{
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

// ---------------------------------------------------------------------------
// TBytesStream / TStringStream

TBytesStream::TBytesStream(const TBytes& Bytes)
{
    if (!Bytes.empty()) WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    SetPosition(0);
}

TBytes TBytesStream::Bytes() const
{
    return TBytes(FMemory, FMemory + FSize);
}

TStringStream::TStringStream(const String& S, bool Utf8) : FUtf8(Utf8)
{
    WriteString(S);
    SetPosition(0);
}

TStringStream::TStringStream(const RawByteString& Bytes)
{
    if (!Bytes.empty()) WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    SetPosition(0);
}

RawByteString TStringStream::Bytes() const
{
    return RawByteString(reinterpret_cast<const char*>(FMemory), static_cast<size_t>(FSize));
}

String TStringStream::DataString() const
{
    return FUtf8 ? UTF8ToString(Bytes()) : AnsiToString(Bytes());
}

void TStringStream::WriteString(const String& S)
{
    RawByteString b = FUtf8 ? UTF8Encode(S) : StringToAnsi(S);
    if (!b.empty()) WriteBuffer(b.data(), static_cast<Integer>(b.size()));
}

String TStringStream::ReadString(Integer Count)
{
    Int64 n = std::max<Int64>(0, std::min<Int64>(Count, FSize - FPosition));
    RawByteString b(static_cast<size_t>(n), '\0');
    if (n) ReadBuffer(b.data(), static_cast<Integer>(n));
    return FUtf8 ? UTF8ToString(b) : AnsiToString(b);
}

// ---------------------------------------------------------------------------
// TFileStream

#ifdef _WIN32

static String LastErrorText()
{
    DWORD code = GetLastError();
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    String r = n ? TrimRight(FromWStr(buf)) : u"System error " + IntToStr(code);
    if (buf) LocalFree(buf);
    return r;
}

TFileStream::TFileStream(const String& FileName, Word Mode) : FFileName(FileName)
{
    static const DWORD Share[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    DWORD share = Share[std::min<int>((Mode & 0xF0) >> 4, 4)];
    HANDLE h;
    if ((Mode & fmCreate) == fmCreate) {
        h = CreateFileW(WStr(FileName), GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " + LastErrorText());
    } else {
        static const DWORD Access[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
        DWORD access = Access[std::min<int>(Mode & 3, 2)];
        h = CreateFileW(WStr(FileName), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            throw EFOpenError(u"Cannot open file \"" + FileName + u"\". " + LastErrorText());
    }
    FHandle = reinterpret_cast<intptr_t>(h);
}

TFileStream::~TFileStream()
{
    if (FHandle != -1) CloseHandle(reinterpret_cast<HANDLE>(FHandle));
}

void TFileStream::Flush()
{
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(FHandle)))
        throw EWriteError(u"Cannot write file \"" + FFileName + u"\". " + LastErrorText());
}

void TFileStream::Close()
{
    if (FHandle == -1) return;
    HANDLE h = reinterpret_cast<HANDLE>(FHandle);
    FHandle = -1;
    if (!CloseHandle(h)) throw EWriteError(u"Cannot write file \"" + FFileName + u"\". " + LastErrorText());
}

Integer TFileStream::Read(void* Buffer, Integer Count)
{
    DWORD n = 0;
    if (Count <= 0 || !ReadFile(reinterpret_cast<HANDLE>(FHandle), Buffer, static_cast<DWORD>(Count), &n, nullptr))
        return 0;
    return static_cast<Integer>(n);
}

Integer TFileStream::Write(const void* Buffer, Integer Count)
{
    DWORD n = 0;
    if (Count <= 0 || !WriteFile(reinterpret_cast<HANDLE>(FHandle), Buffer, static_cast<DWORD>(Count), &n, nullptr))
        return 0;
    return static_cast<Integer>(n);
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    LARGE_INTEGER d, r;
    d.QuadPart = Offset;
    if (!SetFilePointerEx(reinterpret_cast<HANDLE>(FHandle), d, &r, static_cast<DWORD>(Origin))) return -1;
    return r.QuadPart;
}

void TFileStream::SetSize(Int64 NewSize)
{
    Seek(NewSize, soBeginning);
    if (!SetEndOfFile(reinterpret_cast<HANDLE>(FHandle)))
        throw EStreamError(u"Cannot set the size of \"" + FFileName + u"\". " + LastErrorText());
}

#else

static String ErrnoText(int e)
{
    return Str(std::strerror(e));
}

TFileStream::TFileStream(const String& FileName, Word Mode) : FFileName(FileName)
{
    std::string path = HostPath(FileName);
    int fd;
    if ((Mode & fmCreate) == fmCreate) {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " + ErrnoText(errno));
    } else {
        static const int Access[3] = {O_RDONLY, O_WRONLY, O_RDWR};
        fd = ::open(path.c_str(), Access[std::min<int>(Mode & 3, 2)] | O_CLOEXEC);
        if (fd < 0) throw EFOpenError(u"Cannot open file \"" + FileName + u"\". " + ErrnoText(errno));
    }
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        if ((Mode & fmCreate) == fmCreate) throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " + ErrnoText(EISDIR));
        throw EFOpenError(u"Cannot open file \"" + FileName + u"\". " + ErrnoText(EISDIR));
    }
    FHandle = fd;
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0) ::close(static_cast<int>(FHandle));
}

void TFileStream::Flush()
{
    if (::fsync(static_cast<int>(FHandle)) != 0)
        throw EWriteError(u"Cannot write file \"" + FFileName + u"\". " + ErrnoText(errno));
}

void TFileStream::Close()
{
    if (FHandle < 0) return;
    int fd = static_cast<int>(FHandle);
    FHandle = -1;
    // EINTR leaves the descriptor closed on Linux: only a real error counts.
    if (::close(fd) != 0 && errno != EINTR)
        throw EWriteError(u"Cannot write file \"" + FFileName + u"\". " + ErrnoText(errno));
}

Integer TFileStream::Read(void* Buffer, Integer Count)
{
    if (Count <= 0) return 0;
    size_t done = 0;
    while (done < static_cast<size_t>(Count)) {
        ssize_t n = ::read(static_cast<int>(FHandle), static_cast<char*>(Buffer) + done, Count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return static_cast<Integer>(done);
}

Integer TFileStream::Write(const void* Buffer, Integer Count)
{
    if (Count <= 0) return 0;
    size_t done = 0;
    while (done < static_cast<size_t>(Count)) {
        ssize_t n = ::write(static_cast<int>(FHandle), static_cast<const char*>(Buffer) + done, Count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return static_cast<Integer>(done);
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    static const int Whence[3] = {SEEK_SET, SEEK_CUR, SEEK_END};
    return ::lseek(static_cast<int>(FHandle), static_cast<off_t>(Offset), Whence[Origin]);
}

void TFileStream::SetSize(Int64 NewSize)
{
    if (::ftruncate(static_cast<int>(FHandle), static_cast<off_t>(NewSize)) != 0)
        throw EStreamError(u"Cannot set the size of \"" + FFileName + u"\". " + ErrnoText(errno));
    Seek(NewSize, soBeginning);
}

#endif

// ---------------------------------------------------------------------------
// Saving a user's file

TSaveStreamFactory SaveStreamFactory;

namespace {

// The temporary of a save: deleted when the scope ends unless it took the
// target's place.
class TSaveTemporary {
public:
    explicit TSaveTemporary(const String& FileName)
    {
        static std::atomic<unsigned> Counter{0};
        const String Path = ExpandFileName(FileName);
        const auto Tick = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        FName = ExtractFilePath(Path) + u"~" + ExtractFileName(Path) + u"." +
                IntToHex(static_cast<Int64>(((Tick >> 10) & 0xFFFF) * 65536 + (++Counter & 0xFFFF)), 8) + u".tmp";
    }
    ~TSaveTemporary()
    {
        if (!FPlaced) DeleteFile(FName);
    }
    TSaveTemporary(const TSaveTemporary&) = delete;
    TSaveTemporary& operator=(const TSaveTemporary&) = delete;
    const String& Name() const { return FName; }
    void Placed() { FPlaced = true; }

private:
    String FName;
    bool FPlaced = false;
};

}  // namespace

void SaveFileAtomically(const String& FileName, const std::function<void(TStream* Stream)>& Write)
{
    TSaveTemporary Temp(FileName);
    std::unique_ptr<TFileStream> File;
    try {
        File = SaveStreamFactory ? SaveStreamFactory(Temp.Name())
                                 : std::make_unique<TFileStream>(Temp.Name(), fmCreate | fmShareExclusive);
    } catch (const EFCreateError& E) {
        // The temporary's name means nothing to the user: report the file asked for.
        throw EFCreateError(StringReplace(E.Message(), Temp.Name(), FileName, rfReplaceAll));
    }
    Write(File.get());
    // On the disk before it replaces anything: a crash or a failing disk
    // must not put a file in place that was never written.
    File->Flush();
    File->Close();
    File.reset();
    if (!RenameFileReplacing(Temp.Name(), FileName)) throw EFCreateError(u"Cannot create file \"" + FileName + u"\".");
    Temp.Placed();
}

// ---------------------------------------------------------------------------
// TEncoding

const TEncoding* TEncoding::ANSI()
{
    static const TEncoding e(ekAnsi, 0);
    return &e;
}
const TEncoding* TEncoding::Default() { return ANSI(); }
const TEncoding* TEncoding::UTF8()
{
    static const TEncoding e(ekUTF8);
    return &e;
}
const TEncoding* TEncoding::Unicode()
{
    static const TEncoding e(ekUnicode);
    return &e;
}
const TEncoding* TEncoding::BigEndianUnicode()
{
    static const TEncoding e(ekBigEndianUnicode);
    return &e;
}
const TEncoding* TEncoding::GetCodePage(Cardinal CodePage)
{
    static const TEncoding e936(ekAnsi, 936), e1252(ekAnsi, 1252);
    if (CodePage == 65001) return UTF8();
    if (CodePage == 1200) return Unicode();
    if (CodePage == 1201) return BigEndianUnicode();
    if (CodePage == 936) return &e936;
    if (CodePage == 1252) return &e1252;
    return ANSI();
}

Cardinal TEncoding::CodePage() const
{
    switch (FKind) {
    case ekUTF8: return 65001;
    case ekUnicode: return 1200;
    case ekBigEndianUnicode: return 1201;
    default: return FCodePage ? FCodePage : AnsiCodePage();
    }
}

TBytes TEncoding::GetPreamble() const
{
    switch (FKind) {
    case ekUTF8: return {0xEF, 0xBB, 0xBF};
    case ekUnicode: return {0xFF, 0xFE};
    case ekBigEndianUnicode: return {0xFE, 0xFF};
    default: return {};
    }
}

TBytes TEncoding::GetBytes(const String& S) const
{
    switch (FKind) {
    case ekUTF8: {
        std::string b = UTF8Encode(S);
        return TBytes(b.begin(), b.end());
    }
    case ekUnicode:
    case ekBigEndianUnicode: {
        TBytes b(S.size() * 2);
        for (size_t i = 0; i < S.size(); ++i) {
            uint8_t lo = S[i] & 0xFF, hi = S[i] >> 8;
            b[2 * i] = FKind == ekUnicode ? lo : hi;
            b[2 * i + 1] = FKind == ekUnicode ? hi : lo;
        }
        return b;
    }
    default: {
        std::string b = StringToAnsi(S, FCodePage);
        return TBytes(b.begin(), b.end());
    }
    }
}

String TEncoding::GetString(const uint8_t* Bytes, size_t Count) const
{
    switch (FKind) {
    case ekUTF8: return UTF8ToString(std::string(reinterpret_cast<const char*>(Bytes), Count));
    case ekUnicode:
    case ekBigEndianUnicode: {
        String s(Count / 2, u'\0');
        for (size_t i = 0; i < s.size(); ++i) {
            uint8_t a = Bytes[2 * i], b = Bytes[2 * i + 1];
            s[i] = FKind == ekUnicode ? static_cast<Char>(a | (b << 8)) : static_cast<Char>(b | (a << 8));
        }
        return s;
    }
    default: return AnsiToString(std::string(reinterpret_cast<const char*>(Bytes), Count), FCodePage);
    }
}

const TEncoding* TEncoding::GetBufferEncoding(const uint8_t* Buffer, size_t Count, size_t& PreambleLength)
{
    PreambleLength = 0;
    if (Count >= 3 && Buffer[0] == 0xEF && Buffer[1] == 0xBB && Buffer[2] == 0xBF) {
        PreambleLength = 3;
        return UTF8();
    }
    if (Count >= 2 && Buffer[0] == 0xFF && Buffer[1] == 0xFE) {
        PreambleLength = 2;
        return Unicode();
    }
    if (Count >= 2 && Buffer[0] == 0xFE && Buffer[1] == 0xFF) {
        PreambleLength = 2;
        return BigEndianUnicode();
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// TList

TList::~TList()
{
    // TObjectList frees its objects in its own destructor; here only the array goes.
}

void TList::Error(const String& Msg, NativeInt Data)
{
    throw EListError(Format(Msg, {static_cast<Int64>(Data)}));
}

void TList::CheckIndex(Integer Index) const
{
    if (Index < 0 || Index >= Count()) Error(u"List index out of bounds (%d)", Index);
}

Integer TList::Add(void* Item)
{
    FList.push_back(Item);
    if (Item) Notify(Item, lnAdded);
    return Count() - 1;
}

void TList::Insert(Integer Index, void* Item)
{
    if (Index < 0 || Index > Count()) Error(u"List index out of bounds (%d)", Index);
    FList.insert(FList.begin() + Index, Item);
    if (Item) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index)
{
    CheckIndex(Index);
    void* p = FList[Index];
    FList.erase(FList.begin() + Index);
    if (p) Notify(p, lnDeleted);
}

Integer TList::Remove(void* Item)
{
    Integer i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
}

void* TList::Extract(void* Item)
{
    Integer i = IndexOf(Item);
    if (i < 0) return nullptr;
    FList.erase(FList.begin() + i);
    Notify(Item, lnExtracted);
    return Item;
}

void TList::Move(Integer CurIndex, Integer NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* p = FList[CurIndex];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, p);
}

void TList::Exchange(Integer Index1, Integer Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[Index1], FList[Index2]);
}

Integer TList::IndexOf(void* Item) const
{
    auto it = std::find(FList.begin(), FList.end(), Item);
    return it == FList.end() ? -1 : static_cast<Integer>(it - FList.begin());
}

void* TList::First() const
{
    CheckIndex(0);
    return FList.front();
}

void* TList::Last() const
{
    CheckIndex(Count() - 1);
    return FList.back();
}

void TList::Clear()
{
    SetCount(0);
    FList.shrink_to_fit();
}

void TList::Pack()
{
    FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}

void TList::Sort(const TListSortCompare& Compare)
{
    std::stable_sort(FList.begin(), FList.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::SetCount(Integer NewCount)
{
    if (NewCount < 0) Error(u"List count out of bounds (%d)", NewCount);
    if (NewCount > Count()) {
        FList.resize(NewCount, nullptr);
    } else {
        // Removed from the end one by one so that each is notified.
        for (Integer i = Count() - 1; i >= NewCount; --i) Delete(i);
    }
}

void TList::SetCapacity(Integer NewCapacity)
{
    if (NewCapacity < Count()) Error(u"List capacity out of bounds (%d)", NewCapacity);
    FList.reserve(NewCapacity);
}

void* TList::Items(Integer Index) const
{
    CheckIndex(Index);
    return FList[Index];
}

void TList::SetItems(Integer Index, void* Item)
{
    CheckIndex(Index);
    void* old = FList[Index];
    if (old == Item) return;
    FList[Index] = Item;
    if (old) Notify(old, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

TObjectList::~TObjectList()
{
    Clear();
}

void TObjectList::Notify(void* Ptr, TListNotification Action)
{
    if (FOwnsObjects && Action == lnDeleted) delete static_cast<TObject*>(Ptr);
}

// ---------------------------------------------------------------------------
// TStrings

void TStrings::Error(const String& Msg, Integer Data) const
{
    throw EStringListError(Format(Msg, {Data}));
}

Integer TStrings::CompareStrings(const String& S1, const String& S2) const
{
    return AnsiCompareText(S1, S2);
}

void TStrings::SetStrings(Integer Index, const String& S)
{
    TObject* obj = Objects(Index);
    Delete(Index);
    InsertObject(Index, S, obj);
}

TObject* TStrings::Objects(Integer) const
{
    return nullptr;
}

void TStrings::SetObjects(Integer, TObject*) {}

Integer TStrings::Add(const String& S)
{
    Integer i = Count();
    Insert(i, S);
    return i;
}

Integer TStrings::AddObject(const String& S, TObject* Obj)
{
    Integer i = Add(S);
    SetObjects(i, Obj);
    return i;
}

void TStrings::InsertObject(Integer Index, const String& S, TObject* Obj)
{
    Insert(Index, S);
    SetObjects(Index, Obj);
}

void TStrings::Move(Integer CurIndex, Integer NewIndex)
{
    if (CurIndex == NewIndex) return;
    auto Update = UpdateScope(*this);
    String s = Strings(CurIndex);
    TObject* obj = Objects(CurIndex);
    SetObjects(CurIndex, nullptr);
    Delete(CurIndex);
    InsertObject(NewIndex, s, obj);
}

void TStrings::Exchange(Integer Index1, Integer Index2)
{
    BeginUpdate();
    String s1 = Strings(Index1), s2 = Strings(Index2);
    TObject *o1 = Objects(Index1), *o2 = Objects(Index2);
    SetStrings(Index1, s2);
    SetObjects(Index1, o2);
    SetStrings(Index2, s1);
    SetObjects(Index2, o1);
    EndUpdate();
}

Integer TStrings::IndexOf(const String& S) const
{
    for (Integer i = 0, n = Count(); i < n; ++i)
        if (CompareStrings(Strings(i), S) == 0) return i;
    return -1;
}

Integer TStrings::IndexOfName(const String& Name) const
{
    for (Integer i = 0, n = Count(); i < n; ++i) {
        const String s = Strings(i);
        size_t p = s.find(FNameValueSeparator);
        if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
    }
    return -1;
}

Integer TStrings::IndexOfObject(TObject* Obj) const
{
    for (Integer i = 0, n = Count(); i < n; ++i)
        if (Objects(i) == Obj) return i;
    return -1;
}

void TStrings::AddStrings(TStrings* Strings)
{
    BeginUpdate();
    for (Integer i = 0, n = Strings->Count(); i < n; ++i) AddObject(Strings->Strings(i), Strings->Objects(i));
    EndUpdate();
}

void TStrings::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TStrings*>(Source)) {
        if (src == this) return;
        {
            auto Update = UpdateScope(*this);
            Clear();
            FDelimiter = src->FDelimiter;
            FQuoteChar = src->FQuoteChar;
            FNameValueSeparator = src->FNameValueSeparator;
            FStrictDelimiter = src->FStrictDelimiter;
            FLineBreak = src->FLineBreak;
            AddStrings(src);
        }
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(TStrings* Strings) const
{
    if (Count() != Strings->Count()) return false;
    for (Integer i = 0, n = Count(); i < n; ++i)
        if (this->Strings(i) != Strings->Strings(i)) return false;
    return true;
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

String TStrings::Text() const
{
    String r;
    for (Integer i = 0, n = Count(); i < n; ++i) {
        r += Strings(i);
        r += FLineBreak;
    }
    return r;
}

void TStrings::SetText(const String& Value)
{
    {
        auto Update = UpdateScope(*this);
        Clear();
        size_t i = 0, n = Value.size();
        while (i < n) {
            size_t start = i;
            while (i < n && Value[i] != u'\r' && Value[i] != u'\n') ++i;
            Add(Value.substr(start, i - start));
            if (i < n && Value[i] == u'\r') ++i;
            if (i < n && Value[i] == u'\n') ++i;
        }
    }
}

String TStrings::DelimitedText() const
{
    const Integer n = Count();
    if (n == 1 && Strings(0).empty()) return String(2, FQuoteChar);
    String r;
    for (Integer i = 0; i < n; ++i) {
        const String s = Strings(i);
        bool quote = false;
        for (Char c : s)
            if (c == 0 || c == FQuoteChar || c == FDelimiter || (!FStrictDelimiter && c <= u' ')) {
                quote = true;
                break;
            }
        if (i) r += FDelimiter;
        r += quote ? QuotedStr(s, FQuoteChar) : s;
    }
    return r;
}

void TStrings::SetDelimitedText(const String& Value)
{
    auto blank = [&](Char c) { return !FStrictDelimiter && c >= 1 && c <= u' '; };
    {
        auto Update = UpdateScope(*this);
        Clear();
        size_t p = 0, n = Value.size();
        while (p < n && blank(Value[p])) ++p;
        while (p < n && Value[p] != 0) {
            String s;
            if (Value[p] == FQuoteChar) {
                // Quoted item: doubled quotes stand for one; ends at the lone closing quote.
                ++p;
                while (p < n) {
                    if (Value[p] == FQuoteChar) {
                        if (p + 1 < n && Value[p + 1] == FQuoteChar) {
                            s += FQuoteChar;
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    s += Value[p++];
                }
            } else {
                size_t start = p;
                while (p < n && Value[p] != 0 && Value[p] != FDelimiter && (FStrictDelimiter || Value[p] > u' ')) ++p;
                s = Value.substr(start, p - start);
            }
            Add(s);
            while (p < n && blank(Value[p])) ++p;
            if (p < n && Value[p] == FDelimiter) {
                if (p + 1 >= n) Add(String());
                do {
                    ++p;
                } while (p < n && blank(Value[p]));
            }
        }
    }
}

String TStrings::CommaText() const
{
    auto* self = const_cast<TStrings*>(this);
    Char d = FDelimiter, q = FQuoteChar;
    bool strict = FStrictDelimiter;
    self->FDelimiter = u',';
    self->FQuoteChar = u'"';
    self->FStrictDelimiter = false;
    String r = DelimitedText();
    self->FDelimiter = d;
    self->FQuoteChar = q;
    self->FStrictDelimiter = strict;
    return r;
}

void TStrings::SetCommaText(const String& Value)
{
    Char d = FDelimiter, q = FQuoteChar;
    bool strict = FStrictDelimiter;
    FDelimiter = u',';
    FQuoteChar = u'"';
    FStrictDelimiter = false;
    auto Restore = ScopeExit([&] { FDelimiter = d, FQuoteChar = q, FStrictDelimiter = strict; });
    SetDelimitedText(Value);
}

String TStrings::Names(Integer Index) const
{
    const String s = Strings(Index);
    size_t p = s.find(FNameValueSeparator);
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::ValueFromIndex(Integer Index) const
{
    const String s = Strings(Index);
    size_t p = s.find(FNameValueSeparator);
    return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(Integer Index, const String& Value)
{
    if (Value.empty()) {
        Delete(Index);
        return;
    }
    SetStrings(Index, Names(Index) + FNameValueSeparator + Value);
}

String TStrings::Values(const String& Name) const
{
    Integer i = IndexOfName(Name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& Name, const String& Value)
{
    Integer i = IndexOfName(Name);
    if (!Value.empty()) {
        String s = Name + FNameValueSeparator + Value;
        if (i < 0) Add(s);
        else SetStrings(i, s);
    } else if (i >= 0) {
        Delete(i);
    }
}

void TStrings::LoadFromStream(TStream* Stream, const TEncoding* Encoding)
{
    Int64 size = Stream->Size() - Stream->Position();
    if (size < 0) size = 0;
    if (size > 0x7FFFFFFF) throw EOutOfMemory(u"Out of memory");
    TBytes buf(static_cast<size_t>(size));
    if (size) Stream->ReadBuffer(buf.data(), static_cast<Integer>(size));
    size_t bom = 0;
    const TEncoding* found = TEncoding::GetBufferEncoding(buf.data(), buf.size(), bom);
    if (!found) found = Encoding ? Encoding : TEncoding::Default();
    FEncoding = found;
    SetText(found->GetString(buf.data() + bom, buf.size() - bom));
}

void TStrings::LoadFromFile(const String& FileName, const TEncoding* Encoding)
{
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f, Encoding);
}

void TStrings::SaveToStream(TStream* Stream, const TEncoding* Encoding)
{
    if (!Encoding) Encoding = FEncoding ? FEncoding : TEncoding::Default();
    if (FWriteBOM) {
        TBytes pre = Encoding->GetPreamble();
        if (!pre.empty()) Stream->WriteBuffer(pre.data(), static_cast<Integer>(pre.size()));
    }
    TBytes b = Encoding->GetBytes(Text());
    if (!b.empty()) Stream->WriteBuffer(b.data(), static_cast<Integer>(b.size()));
}

void TStrings::SaveToFile(const String& FileName, const TEncoding* Encoding)
{
    SaveFileAtomically(FileName, [&](TStream* File) { SaveToStream(File, Encoding); });
}

// ---------------------------------------------------------------------------
// TStringList

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (auto& it : FList) delete it.FObject;
}

void TStringList::CheckIndex(Integer Index) const
{
    if (Index < 0 || Index >= Count()) Error(u"List index out of bounds (%d)", Index);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating) {
        if (OnChanging) OnChanging(this);
    } else {
        if (OnChange) OnChange(this);
    }
}

Integer TStringList::CompareStrings(const String& S1, const String& S2) const
{
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

String TStringList::Strings(Integer Index) const
{
    CheckIndex(Index);
    return FList[Index].FString;
}

void TStringList::SetStrings(Integer Index, const String& S)
{
    if (FSorted) Error(u"Operation not allowed on sorted list", 0);
    CheckIndex(Index);
    Changing();
    FList[Index].FString = S;
    Changed();
}

TObject* TStringList::Objects(Integer Index) const
{
    CheckIndex(Index);
    return FList[Index].FObject;
}

void TStringList::SetObjects(Integer Index, TObject* Obj)
{
    CheckIndex(Index);
    Changing();
    if (FOwnsObjects && FList[Index].FObject != Obj) delete FList[Index].FObject;
    FList[Index].FObject = Obj;
    Changed();
}

Integer TStringList::Add(const String& S)
{
    return AddObject(S, nullptr);
}

Integer TStringList::AddObject(const String& S, TObject* Obj)
{
    Integer i;
    if (!FSorted) {
        i = Count();
    } else if (Find(S, i)) {
        switch (FDuplicates) {
        case dupIgnore: return i;
        case dupError: Error(u"String list does not allow duplicates", 0);
        case dupAccept: break;
        }
    }
    InsertItem(i, S, Obj);
    return i;
}

void TStringList::Insert(Integer Index, const String& S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(Integer Index, const String& S, TObject* Obj)
{
    if (FSorted) Error(u"Operation not allowed on sorted list", 0);
    if (Index < 0 || Index > Count()) Error(u"List index out of bounds (%d)", Index);
    InsertItem(Index, S, Obj);
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* Obj)
{
    Changing();
    FList.insert(FList.begin() + Index, TItem{S, Obj});
    Changed();
}

void TStringList::Delete(Integer Index)
{
    CheckIndex(Index);
    Changing();
    TObject* obj = FList[Index].FObject;
    FList.erase(FList.begin() + Index);
    if (FOwnsObjects) delete obj;
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty()) return;
    Changing();
    std::vector<TItem> old;
    old.swap(FList);
    if (FOwnsObjects)
        for (auto& it : old) delete it.FObject;
    Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[Index1], FList[Index2]);
    Changed();
}

void TStringList::Move(Integer CurIndex, Integer NewIndex)
{
    if (CurIndex == NewIndex) return;
    if (FSorted) Error(u"Operation not allowed on sorted list", 0);
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    Changing();
    TItem it = std::move(FList[CurIndex]);
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, std::move(it));
    Changed();
}

bool TStringList::Find(const String& S, Integer& Index) const
{
    // Binary search; with duplicates accepted, the first equal item is found.
    Integer lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        Integer mid = lo + (hi - lo) / 2;
        Integer c = CompareStrings(FList[mid].FString, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) found = true;
        }
    }
    Index = lo;
    return found;
}

Integer TStringList::IndexOf(const String& S) const
{
    if (!FSorted) return TStrings::IndexOf(S);
    Integer i;
    return Find(S, i) ? i : -1;
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (FList.size() < 2) return;
    Changing();
    // Sort indexes with the caller's comparison (which reads the list by index), then permute.
    std::vector<Integer> idx(FList.size());
    for (size_t i = 0; i < idx.size(); ++i) idx[i] = static_cast<Integer>(i);
    std::stable_sort(idx.begin(), idx.end(), [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
    std::vector<TItem> sorted;
    sorted.reserve(FList.size());
    for (Integer i : idx) sorted.push_back(std::move(FList[i]));
    FList.swap(sorted);
    Changed();
}

void TStringList::Sort()
{
    CustomSort([](TStringList* L, Integer a, Integer b) {
        return L->CompareStrings(L->FList[a].FString, L->FList[b].FString);
    });
}

void TStringList::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (FCaseSensitive == Value) return;
    FCaseSensitive = Value;
    if (FSorted) Sort();
}

// ---------------------------------------------------------------------------
// TComponent

bool IsValidIdent(const String& Ident)
{
    if (Ident.empty()) return false;
    auto alpha = [](Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; };
    if (!alpha(Ident[0])) return false;
    for (Char c : Ident)
        if (!alpha(c) && !(c >= u'0' && c <= u'9')) return false;
    return true;
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Tell everyone who asked, then free what this component owns.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(Integer Index) const
{
    if (Index < 0 || Index >= ComponentCount()) TList::Error(u"List index out of bounds (%d)", Index);
    return FComponents[Index];
}

Integer TComponent::ComponentIndex() const
{
    if (!FOwner) return -1;
    auto& v = FOwner->FComponents;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<Integer>(it - v.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const
{
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    AComponent->FOwner = nullptr;
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end()) FComponents.erase(it);
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    ValidateRename(AComponent, String(), AComponent->FName);
    Insert(AComponent);
    if (FComponentState & csDesigning) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    // Newest first: the reverse order of creation.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        Remove(c);
        delete c;
    }
}

void TComponent::Destroying()
{
    if (FComponentState & csDestroying) return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Pass it on to the owned components; one of them may go meanwhile.
    Integer i = ComponentCount() - 1;
    while (i >= 0) {
        FComponents[i]->Notification(AComponent, Operation);
        --i;
        if (i >= ComponentCount()) i = ComponentCount() - 1;
    }
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this) return;
    // Components of the same owner hear of each other through the owner already.
    if (FOwner && AComponent->FOwner == FOwner) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(AComponent);
        AComponent->FreeNotification(this);
    }
    FComponentState |= csFreeNotification;
}

void TComponent::RemoveNotification(TComponent* AComponent)
{
    auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::Loaded()
{
    FComponentState &= ~csLoading;
}

void TComponent::SetDesigning(bool Value, bool SetChildren)
{
    if (Value) FComponentState |= csDesigning;
    else FComponentState &= ~csDesigning;
    if (SetChildren)
        for (TComponent* c : FComponents) c->SetDesigning(Value);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName)
{
    if (AComponent && !SameText(CurName, NewName) && AComponent->FOwner == this && FindComponent(NewName))
        throw EComponentError(u"A component named " + NewName + u" already exists");
}

void TComponent::SetName(const String& NewName)
{
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(u"'" + NewName + u"' is not a valid component name");
    if (FOwner) FOwner->ValidateRename(this, FName, NewName);
    else ValidateRename(nullptr, FName, NewName);
    FName = NewName;
}

// ---------------------------------------------------------------------------
// TCollectionItem / TCollection

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
    if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (FCollection == Value) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::Index() const
{
    if (!FCollection) return -1;
    auto& v = FCollection->FItems;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<Integer>(it - v.begin());
}

void TCollectionItem::SetIndex(Integer Value)
{
    Integer cur = Index();
    if (cur < 0 || cur == Value) return;
    auto& v = FCollection->FItems;
    if (Value < 0 || Value >= static_cast<Integer>(v.size())) TList::Error(u"List index out of bounds (%d)", Value);
    v.erase(v.begin() + cur);
    v.insert(v.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemFactory ItemFactory) : FItemFactory(std::move(ItemFactory)) {}

TCollection::~TCollection()
{
    OnChange = nullptr;
    ++FUpdateCount;
    while (!FItems.empty()) delete FItems.back();
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, cnExtracting);
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it != FItems.end()) FItems.erase(it);
    Item->FCollection = nullptr;
    Changed();
}

TCollectionItem* TCollection::Add()
{
    return FItemFactory(this);
}

TCollectionItem* TCollection::Insert(Integer Index)
{
    if (Index < 0 || Index > Count()) TList::Error(u"List index out of bounds (%d)", Index);
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(Integer Index)
{
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear()
{
    if (FItems.empty()) return;
    auto Update = UpdateScope(*this);
    while (!FItems.empty()) delete FItems.back();
}

void TCollection::Exchange(Integer Index1, Integer Index2)
{
    Items(Index1);
    Items(Index2);
    std::swap(FItems[Index1], FItems[Index2]);
    Changed();
}

TCollectionItem* TCollection::Items(Integer Index) const
{
    if (Index < 0 || Index >= Count()) TList::Error(u"List index out of bounds (%d)", Index);
    return FItems[Index];
}

TCollectionItem* TCollection::FindItemID(Integer ID) const
{
    for (TCollectionItem* i : FItems)
        if (i->FID == ID) return i;
    return nullptr;
}

void TCollection::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TCollection*>(Source)) {
        if (src == this) return;
        {
            auto Update = UpdateScope(*this);
            Clear();
            for (TCollectionItem* i : src->FItems) Add()->Assign(i);
        }
        return;
    }
    TPersistent::Assign(Source);
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*)
{
    if (OnChange) OnChange(this);
}
