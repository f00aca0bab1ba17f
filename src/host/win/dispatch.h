#pragma once
// The one path by which the adapter talks to the host: IDispatch::Invoke by
// DISPID, the conversion of VARIANTs to the core's types, and HRESULTs turned
// into HostError. Nothing of COM leaves src/host/win.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "host/host_interface.h"
#include "platform/code_page.h"

namespace kelmar::host::win {

// An owned COM reference.
template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    static ComRef adopt(T* p) {
        ComRef r;
        r.p_ = p;
        return r;
    }
    // Adds a reference of its own.
    static ComRef share(T* p) {
        if (p) p->AddRef();
        return adopt(p);
    }
    ComRef(const ComRef& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComRef() { reset(); }

    void reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out parameters: releases what is held first.
    T** put() {
        reset();
        return &p_;
    }

private:
    T* p_ = nullptr;
};

// A VARIANT cleared when it goes.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }

    static Variant ofInt(int value);
    // Holds its own reference to object.
    static Variant ofObject(IDispatch* object);

    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }
    const VARIANT& get() const { return v_; }
    VARIANT& ref() { return v_; }

private:
    VARIANT v_;
};

// What every object of one attach shares: the apartment, the code page of
// the texts and the number of calls made into the host.
class ComSession {
public:
    // Enters an apartment-threaded COM on the calling thread.
    explicit ComSession(platform::CodePage codePage);
    ~ComSession();
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;

    platform::CodePage codePage() const { return codePage_; }
    // Every cross-process call counts: members and enumeration steps.
    void countCall(const std::string& member) {
        ++calls_;
        if (observer_) observer_(member);
    }
    std::int64_t calls() const { return calls_; }
    // Told the name of every call, for measuring which members a run reads.
    void setCallObserver(std::function<void(const std::string&)> observer) { observer_ = std::move(observer); }
    // Notes a failure that means the host process is gone.
    void noteFailure(HRESULT hr);
    bool hostLost() const { return hostLost_; }

private:
    platform::CodePage codePage_;
    bool initialised_ = false;
    bool hostLost_ = false;
    std::int64_t calls_ = 0;
    std::function<void(const std::string&)> observer_;
};

// "0x80020009 Exception occurred." and the like, for messages.
std::string hresultText(HRESULT hr);
// A HostError naming what failed, with the HRESULT.
HostError hostError(const std::string& what, HRESULT hr);

// A UTF-16 text in the code page; characters it lacks become '?'.
std::string fromWide(const wchar_t* text, std::size_t length, platform::CodePage codePage);
// Code-page bytes as a new BSTR.
BSTR toBstr(const std::string& bytes, platform::CodePage codePage);

// The VARIANT conversions, one place for all members. member names the member in the error text.
std::string textOf(const VARIANT& value, platform::CodePage codePage, const std::string& member);
double numberOf(const VARIANT& value, const std::string& member);
int wholeOf(const VARIANT& value, const std::string& member);
bool flagOf(const VARIANT& value, const std::string& member);
// An object answer; empty for VT_EMPTY, VT_NULL or a null pointer.
ComRef<IDispatch> objectOf(const VARIANT& value, const std::string& member);
// GetFieldValue's answer: a text stays a text, anything else is a number.
FieldValue fieldValueOf(const VARIANT& value, platform::CodePage codePage, const std::string& member);

// One host object behind IDispatch, named for the messages ("Dimension").
class DispatchObject {
public:
    DispatchObject(ComRef<IDispatch> object, std::shared_ptr<ComSession> session, const char* name)
        : object_(std::move(object)), session_(std::move(session)), name_(name) {}

    // The one Invoke of the adapter. A property read or method call unless flags say otherwise.
    Variant invoke(DISPID id, const char* member, std::initializer_list<VARIANT> args = {},
                   WORD flags = DISPATCH_PROPERTYGET | DISPATCH_METHOD) const;
    void put(DISPID id, const char* member, const VARIANT& value) const;

    std::string text(DISPID id, const char* member) const;
    double number(DISPID id, const char* member) const;
    int whole(DISPID id, const char* member) const;
    bool flag(DISPID id, const char* member) const;
    // A member that must answer an object; fails for an empty answer.
    DispatchObject object(DISPID id, const char* member, const char* childName) const;
    // A member that may answer no object.
    ComRef<IDispatch> optionalObject(DISPID id, const char* member) const;

    // "Dimension.Nominal".
    std::string memberName(const char* member) const { return std::string(name_) + "." + member; }
    IDispatch* raw() const { return object_.get(); }
    const std::shared_ptr<ComSession>& session() const { return session_; }

private:
    ComRef<IDispatch> object_;
    std::shared_ptr<ComSession> session_;
    const char* name_;
};

}  // namespace kelmar::host::win
