#include "options/win32/AccessibleName.h"

#include "platform/win32/WideText.h"

#include <initguid.h>
#include <oleacc.h>

namespace dorvane {
namespace {

// The annotation service of the calling thread; COM is started on it when nobody has yet.
IAccPropServices* Annotations()
{
    static thread_local IAccPropServices* services = [] {
        IAccPropServices* made = nullptr;
        HRESULT result = CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                          reinterpret_cast<void**>(&made));
        if (result == CO_E_NOTINITIALIZED && SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
            result = CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                      reinterpret_cast<void**>(&made));
        return SUCCEEDED(result) ? made : nullptr;
    }();
    return services;
}

void Annotate(IAccPropServices* services, HWND control, const MSAAPROPID& property, std::string_view text)
{
    const std::wstring wide = Widen(text);
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, wide.c_str());
}

} // namespace

void SetAccessibleName(HWND control, std::string_view name, std::string_view description)
{
    IAccPropServices* services = Annotations();
    if (!services || !control)
        return;
    Annotate(services, control, PROPID_ACC_NAME, name);
    if (!description.empty())
        Annotate(services, control, PROPID_ACC_DESCRIPTION, description);
}

} // namespace dorvane
