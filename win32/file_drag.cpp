#include "win32/file_drag.h"

#include <shlobj.h>

#include <cstring>

#include "core/win32/wide_text.h"

namespace mw {
namespace {

// The reference count every object of this file shares.
template <typename Interface>
class Counted : public Interface {
public:
    virtual ~Counted() = default;
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&count_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&count_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id != IID_IUnknown && id != __uuidof(Interface)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }

private:
    LONG count_ = 1;
};

constexpr FORMATETC kFileDrop = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};

class FileDragData : public Counted<IDataObject> {
public:
    explicit FileDragData(const std::vector<std::string>& files)
    {
        // DROPFILES, then each path ending in NUL, then one more NUL.
        std::wstring paths;
        for (const std::string& file : files)
            paths += WideFromUtf8(file) + L'\0';
        paths += L'\0';
        const std::size_t size = sizeof(DROPFILES) + paths.size() * sizeof(wchar_t);
        drop_ = GlobalAlloc(GHND, size);
        auto* header = static_cast<DROPFILES*>(GlobalLock(drop_));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::copy(paths.begin(), paths.end(), reinterpret_cast<wchar_t*>(header + 1));
        GlobalUnlock(drop_);
        size_ = size;
    }
    ~FileDragData() override { GlobalFree(drop_); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        // A copy the receiver frees.
        const HGLOBAL copy = GlobalAlloc(GHND, size_);
        std::memcpy(GlobalLock(copy), GlobalLock(drop_), size_);
        GlobalUnlock(drop_);
        GlobalUnlock(copy);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override
    {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        FORMATETC format = kFileDrop;
        return SHCreateStdEnumFmtEtc(1, &format, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    HGLOBAL drop_ = nullptr;
    std::size_t size_ = 0;
};

// Drops on the button's release, cancels on Escape.
class LeftButtonDrag : public Counted<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

IDataObject* MakeFileDragData(const std::vector<std::string>& files)
{
    return new FileDragData(files);
}

bool DragFilesOut(const std::vector<std::string>& files)
{
    IDataObject* data = MakeFileDragData(files);
    IDropSource* source = new LeftButtonDrag;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
    source->Release();
    data->Release();
    return result == DRAGDROP_S_DROP && effect != DROPEFFECT_NONE;
}

}  // namespace mw
