#include "framework/runtime/win/Classes_Win.h"

#include <vector>

// ---------------------------------------------------------------------------
// TResourceStream

TResourceStream::TResourceStream(HINSTANCE Instance, const String& ResName, const wchar_t* ResType)
{
    Initialize(Instance, WStr(ResName), ResType, ResName);
}

TResourceStream::TResourceStream(HINSTANCE Instance, Integer ResID, const wchar_t* ResType)
{
    Initialize(Instance, MAKEINTRESOURCEW(ResID), ResType, IntToStr(ResID));
}

void TResourceStream::Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType, const String& Shown)
{
    HRSRC info = FindResourceW(Instance, Name, ResType);
    HGLOBAL data = info ? LoadResource(Instance, info) : nullptr;
    void* p = data ? LockResource(data) : nullptr;
    if (!p) throw EResNotFound(u"Resource " + Shown + u" not found");
    // Resource memory lives as long as the module; nothing to free.
    SetPointer(p, SizeofResource(Instance, info));
}

Integer TResourceStream::Write(const void*, Integer)
{
    throw EStreamError(u"Can't write to a read-only resource stream");
}

// ---------------------------------------------------------------------------
// TStreamAdapter

TStreamAdapter::TStreamAdapter(TStream* Stream, TStreamOwnership Ownership) : FStream(Stream), FOwnership(Ownership)
{
}

TStreamAdapter::~TStreamAdapter()
{
    if (FOwnership == soOwned) delete FStream;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
        *ppv = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TStreamAdapter::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&FRefCount));
}

ULONG STDMETHODCALLTYPE TStreamAdapter::Release()
{
    LONG n = InterlockedDecrement(&FRefCount);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (!pv) return STG_E_INVALIDPOINTER;
    try {
        ULONG done = 0;
        // TStream moves at most 2 GB per call.
        while (done < cb) {
            ULONG ask = cb - done > 0x40000000 ? 0x40000000 : cb - done;
            Integer n = FStream->Read(static_cast<uint8_t*>(pv) + done, static_cast<Integer>(ask));
            if (n <= 0) break;
            done += static_cast<ULONG>(n);
        }
        // Fewer bytes at the end of the stream is still success, as the system's streams answer.
        if (pcbRead) *pcbRead = done;
        return S_OK;
    } catch (...) {
        if (pcbRead) *pcbRead = 0;
        return S_FALSE;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (!pv) return STG_E_INVALIDPOINTER;
    try {
        ULONG done = 0;
        while (done < cb) {
            ULONG ask = cb - done > 0x40000000 ? 0x40000000 : cb - done;
            Integer n = FStream->Write(static_cast<const uint8_t*>(pv) + done, static_cast<Integer>(ask));
            if (n <= 0) break;
            done += static_cast<ULONG>(n);
        }
        if (pcbWritten) *pcbWritten = done;
        // A short write is a full medium, not a success.
        return done < cb ? STG_E_MEDIUMFULL : S_OK;
    } catch (...) {
        if (pcbWritten) *pcbWritten = 0;
        return STG_E_CANTSAVE;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
    if (dwOrigin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    try {
        Int64 pos = FStream->Seek(dlibMove.QuadPart, static_cast<TSeekOrigin>(dwOrigin));
        if (pos < 0) return STG_E_INVALIDFUNCTION;
        if (plibNewPosition) plibNewPosition->QuadPart = static_cast<ULONGLONG>(pos);
        return S_OK;
    } catch (...) {
        return STG_E_INVALIDPOINTER;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::SetSize(ULARGE_INTEGER libNewSize)
{
    try {
        FStream->SetSize(static_cast<Int64>(libNewSize.QuadPart));
        return FStream->Size() == static_cast<Int64>(libNewSize.QuadPart) ? S_OK : E_FAIL;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                                 ULARGE_INTEGER* pcbWritten)
{
    if (!pstm) return STG_E_INVALIDPOINTER;
    std::vector<uint8_t> buf(0x10000);
    ULONGLONG read = 0, written = 0;
    HRESULT hr = S_OK;
    while (read < cb.QuadPart) {
        ULONG ask = static_cast<ULONG>(cb.QuadPart - read < buf.size() ? cb.QuadPart - read : buf.size());
        ULONG n = 0;
        Read(buf.data(), ask, &n);
        if (n == 0) break;
        read += n;
        ULONG w = 0;
        hr = pstm->Write(buf.data(), n, &w);
        written += w;
        if (FAILED(hr)) break;
        if (w != n) {
            hr = STG_E_MEDIUMFULL;
            break;
        }
    }
    if (pcbRead) pcbRead->QuadPart = read;
    if (pcbWritten) pcbWritten->QuadPart = written;
    return hr;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Commit(DWORD)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Revert()
{
    return STG_E_REVERTED;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Stat(STATSTG* pstatstg, DWORD grfStatFlag)
{
    if (!pstatstg) return STG_E_INVALIDPOINTER;
    if (grfStatFlag != STATFLAG_DEFAULT && grfStatFlag != STATFLAG_NONAME) return STG_E_INVALIDFLAG;
    ZeroMemory(pstatstg, sizeof(STATSTG));
    try {
        pstatstg->type = STGTY_STREAM;
        pstatstg->cbSize.QuadPart = static_cast<ULONGLONG>(FStream->Size());
        pstatstg->grfMode = STGM_READWRITE;
        pstatstg->grfLocksSupported = 0;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Clone(IStream** ppstm)
{
    if (ppstm) *ppstm = nullptr;
    return E_NOTIMPL;
}
