// Windows implementation of the description declared in AssistiveDescription.h.

#include "windows/AssistiveDescription.h"

#include <objbase.h>
#include <oleacc.h>

#include <cstring>
#include <string>

#include "platform/Failure.h"

namespace {

// Oleacc's annotation service and the description property, named here so
// that nothing binds oleacc or ole32 at load.
constexpr CLSID kAccPropServicesClass = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kDescriptionProperty = {
    0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};

using InitialiseFn = HRESULT(WINAPI*)(LPVOID, DWORD);
using UninitialiseFn = void(WINAPI*)();
using CreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

}  // namespace

void AssistiveDescription::Set(HWND control, const char* text) {
    if (services_ || !control) return;
    InitialiseFn initialise = nullptr;
    CreateInstanceFn createInstance = nullptr;
    try {
        initialise = AsFunction<InitialiseFn>(com_.Function("CoInitializeEx"));
        createInstance = AsFunction<CreateInstanceFn>(com_.Function("CoCreateInstance"));
    } catch (const Failure&) {
        return;
    }
    // The apartment the folder dialog uses too; one the thread already has
    // (of either kind) serves as it is.
    comStarted_ = SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED));
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(createInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                                 reinterpret_cast<void**>(&services))) &&
        services) {
        const std::wstring description(text, text + std::strlen(text));
        if (SUCCEEDED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                               kDescriptionProperty, description.c_str()))) {
            services_ = services;
            control_ = control;
            return;
        }
        services->Release();
    }
    Clear();
}

void AssistiveDescription::Clear() {
    if (services_) {
        services_->ClearHwndProps(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &kDescriptionProperty, 1);
        services_->Release();
        services_ = nullptr;
    }
    if (comStarted_) {
        comStarted_ = false;
        try {
            AsFunction<UninitialiseFn>(com_.Function("CoUninitialize"))();
        } catch (const Failure&) {
        }
    }
}
