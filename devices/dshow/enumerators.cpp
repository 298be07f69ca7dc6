#include "devices/dshow/enumerators.h"

#include "devices/dshow/com_object.h"
#include "devices/dshow/media_type.h"

#include <new>

namespace {

// The shared part: a cursor over the items.
// Item handling (copy out, release) is left to the derived enumerator.
template <class Interface, class Item>
class ListEnum : public CComObject<Interface> {
public:
    STDMETHODIMP Next(ULONG count, Item** items, ULONG* fetched) override {
        if (!items || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        while (n < count && pos_ < Size()) {
            items[n] = CopyOut(pos_);
            if (!items[n]) break;
            ++n;
            ++pos_;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        if (count > Size() - pos_) {
            pos_ = Size();
            return S_FALSE;
        }
        pos_ += count;
        return S_OK;
    }
    STDMETHODIMP Reset() override {
        pos_ = 0;
        return S_OK;
    }

protected:
    virtual size_t Size() const = 0;
    virtual Item* CopyOut(size_t index) = 0;
    size_t pos_ = 0;
};

class PinEnum final : public ListEnum<IEnumPins, IPin> {
public:
    explicit PinEnum(const std::vector<IPin*>& pins) : pins_(pins) {
        for (IPin* pin : pins_) pin->AddRef();
    }
    ~PinEnum() override {
        for (IPin* pin : pins_) pin->Release();
    }
    STDMETHODIMP Clone(IEnumPins** out) override {
        if (!out) return E_POINTER;
        auto* copy = new (std::nothrow) PinEnum(pins_);
        if (!copy) return E_OUTOFMEMORY;
        copy->pos_ = pos_;
        *out = copy;
        return S_OK;
    }

private:
    size_t Size() const override { return pins_.size(); }
    IPin* CopyOut(size_t index) override {
        pins_[index]->AddRef();
        return pins_[index];
    }
    std::vector<IPin*> pins_;
};

class MediaTypeEnum final : public ListEnum<IEnumMediaTypes, AM_MEDIA_TYPE> {
public:
    ~MediaTypeEnum() override {
        for (AM_MEDIA_TYPE* type : types_) DeleteMediaType(type);
    }
    bool Add(const AM_MEDIA_TYPE& type) {
        AM_MEDIA_TYPE* copy = CreateMediaTypeCopy(type);
        if (!copy) return false;
        types_.push_back(copy);
        return true;
    }
    STDMETHODIMP Clone(IEnumMediaTypes** out) override {
        if (!out) return E_POINTER;
        auto* copy = new (std::nothrow) MediaTypeEnum;
        if (!copy) return E_OUTOFMEMORY;
        for (const AM_MEDIA_TYPE* type : types_) {
            if (!copy->Add(*type)) {
                copy->Release();
                return E_OUTOFMEMORY;
            }
        }
        copy->pos_ = pos_;
        *out = copy;
        return S_OK;
    }

private:
    size_t Size() const override { return types_.size(); }
    AM_MEDIA_TYPE* CopyOut(size_t index) override { return CreateMediaTypeCopy(*types_[index]); }
    std::vector<AM_MEDIA_TYPE*> types_;
};

}  // namespace

IEnumPins* CreatePinEnum(const std::vector<IPin*>& pins) { return new (std::nothrow) PinEnum(pins); }

IEnumMediaTypes* CreateMediaTypeEnum(const std::vector<const AM_MEDIA_TYPE*>& types) {
    auto* list = new (std::nothrow) MediaTypeEnum;
    if (!list) return nullptr;
    for (const AM_MEDIA_TYPE* type : types) {
        if (!list->Add(*type)) {
            list->Release();
            return nullptr;
        }
    }
    return list;
}
