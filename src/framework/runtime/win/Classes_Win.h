// Classes_Win: the streams that need Windows: TResourceStream over a module's
// resource and TStreamAdapter, the platform's IStream over a TStream.
#pragma once

#include "framework/runtime/Classes.h"
#include "framework/runtime/win/WinPlatform.h"

#include <objidl.h>

LM_EXCEPTION_CLASS(EResNotFound, Exception);

// A read-only view of a resource (RCDATA unless another type is given).
// Raises EResNotFound "Resource <name> not found".
class TResourceStream : public TCustomMemoryStream {
public:
    TResourceStream(HINSTANCE Instance, const String& ResName, const wchar_t* ResType = RT_RCDATA);
    TResourceStream(HINSTANCE Instance, Integer ResID, const wchar_t* ResType = RT_RCDATA);
    String ClassName() const override { return u"TResourceStream"; }
    // Raises EStreamError "Can't write to a read-only resource stream".
    Integer Write(const void* Buffer, Integer Count) override;

private:
    void Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType, const String& Shown);
};

enum TStreamOwnership { soReference, soOwned };

// IStream over a TStream: a COM object whose reference count starts at 0 (take
// a reference with AddRef, or hand it to something that does). With soOwned the
// TStream is freed with the adapter. Exceptions of the TStream become error codes.
class TStreamAdapter : public IStream {
public:
    TStreamAdapter(TStream* Stream, TStreamOwnership Ownership = soReference);
    TStreamAdapter(const TStreamAdapter&) = delete;
    TStreamAdapter& operator=(const TStreamAdapter&) = delete;
    virtual ~TStreamAdapter();
    TStream* Stream() const { return FStream; }
    TStreamOwnership StreamOwnership() const { return FOwnership; }
    void SetStreamOwnership(TStreamOwnership Value) { FOwnership = Value; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISequentialStream
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    // IStream
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                     ULARGE_INTEGER* pcbWritten) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD grfCommitFlags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override;

private:
    TStream* FStream;
    TStreamOwnership FOwnership;
    LONG FRefCount = 0;
};
