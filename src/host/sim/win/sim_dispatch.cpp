#include "host/sim/win/sim_dispatch.h"

#include <algorithm>

#include "host/win/dispatch.h"

namespace kelmar::host::sim::win {

using host::win::ComRef;
using host::win::Variant;

void ServerControls::countCall() {
    ++calls;
    // Gone without a word, as a crashing host would be.
    if (exitAfterCalls > 0 && calls >= exitAfterCalls) TerminateProcess(GetCurrentProcess(), 3);
}

SimDispatch::SimDispatch(const char* objectName, std::vector<MemberEntry> members, ServerControls& controls)
    : ComObject(IID_IDispatch), controls_(controls), objectName_(objectName), members_(std::move(members)) {}

HRESULT SimDispatch::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = typeInfo() ? 1 : 0;
    return S_OK;
}

HRESULT SimDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = typeInfo();
    if (!*info) return E_NOTIMPL;
    (*info)->AddRef();
    return S_OK;
}

HRESULT SimDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT SimDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO* error, UINT*) {
    controls_.countCall();
    const auto member = std::find_if(members_.begin(), members_.end(), [id](const MemberEntry& m) { return m.id == id; });
    if (member == members_.end()) return DISP_E_MEMBERNOTFOUND;
    std::vector<VARIANT*> args;
    if (params)
        for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
    Variant answer;
    try {
        member->call(flags, args, answer.ref());
    } catch (const HostError& e) {
        if (error) {
            *error = EXCEPINFO{};
            error->scode = E_FAIL;
            error->bstrSource = SysAllocString(L"ORVELAN (simulated)");
            error->bstrDescription = host::win::toBstr(e.what(), controls_.codePage);
        }
        return DISP_E_EXCEPTION;
    } catch (...) {
        return E_UNEXPECTED;
    }
    applyAnswer(std::string(objectName_) + "." + member->name, answer.ref());
    if (result) {
        VariantInit(result);
        *result = answer.get();
        VariantInit(&answer.ref());  // ownership passed to the caller
    }
    return S_OK;
}

void SimDispatch::applyAnswer(const std::string& member, VARIANT& result) {
    const auto it = controls_.answers.find(member);
    if (it == controls_.answers.end()) return;
    switch (it->second) {
        case Answer::AsText: {
            Variant text;
            if (SUCCEEDED(VariantChangeTypeEx(text.put(), &result, MAKELCID(0x0409, SORT_DEFAULT), 0, VT_BSTR))) {
                VariantClear(&result);
                result = text.get();
                VariantInit(&text.ref());
            }
            break;
        }
        case Answer::WrongType: {
            // A text where anything else was expected, an object where a text was.
            const bool wasText = result.vt == VT_BSTR;
            VariantClear(&result);
            if (wasText) {
                AddRef();
                setObject(result, this);
            } else {
                setText(result, "wrong", controls_.codePage);
            }
            break;
        }
        case Answer::Empty:
            VariantClear(&result);
            break;
    }
}

void setText(VARIANT& v, const std::string& bytes, platform::CodePage codePage) {
    v.vt = VT_BSTR;
    v.bstrVal = host::win::toBstr(bytes, codePage);
}

void setNumber(VARIANT& v, double value) {
    v.vt = VT_R8;
    v.dblVal = value;
}

void setWhole(VARIANT& v, int value) {
    v.vt = VT_I4;
    v.lVal = value;
}

void setFlag(VARIANT& v, bool value) {
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void setObject(VARIANT& v, IDispatch* object) {
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
}

int wholeArgument(const std::vector<VARIANT*>& args, std::size_t i) {
    if (i >= args.size()) throw HostError("argument " + std::to_string(i + 1) + " is missing");
    Variant whole;
    if (FAILED(VariantChangeType(whole.put(), args[i], 0, VT_I4)))
        throw HostError("argument " + std::to_string(i + 1) + " is not a number");
    return static_cast<int>(whole.get().lVal);
}

}  // namespace kelmar::host::sim::win
