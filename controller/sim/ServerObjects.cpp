#include "controller/sim/ServerObjects.h"

#include <chrono>
#include <string>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "controller/sim/SimController.h"

namespace morvane::sim {

namespace {

using Args = std::vector<ServerValue>;
using ControllerPtr = std::shared_ptr<SimController>;

// Message numbers of the failures the simulated server itself reports.
enum ErrorNumber : std::int32_t {
    kUnknownMethod = 1,
    kBadArguments = 2,
    kUnknownVariable = 3,
    kFileError = 4,
    kInterpreterRefused = 5,
    kUnknownProgId = 6,
    kUnknownSubscription = 7,
};

template <class T> const T* Arg(const Args& args, std::size_t i) {
    return i < args.size() ? std::get_if<T>(&args[i]) : nullptr;
}

// A flag may come as a Boolean or as a number.
bool FlagArg(const Args& args, std::size_t i, bool& b) {
    if (const bool* p = Arg<bool>(args, i)) {
        b = *p;
        return true;
    }
    if (const std::int32_t* p = Arg<std::int32_t>(args, i)) {
        b = *p != 0;
        return true;
    }
    return false;
}

class SimObject;

// The error interface of an object: method 1 yields the record of its last failure.
class ErrorInterface : public ServerObject {
public:
    explicit ErrorInterface(SimObject& owner) : m_owner(owner) {}
    bool Invoke(int nMethod, const Args& args, ServerValue& vResult) override;
    ServerObject* QueryInterface(std::string_view) override { return nullptr; }

private:
    SimObject& m_owner;
};

class SimObject : public ServerObject {
public:
    SimObject(ControllerPtr ctl, std::string sName)
        : m_ctl(std::move(ctl)), m_sName(std::move(sName)), m_error(*this) {}

    bool Invoke(int nMethod, const Args& args, ServerValue& vResult) final {
        MessageRecord record;
        if (m_ctl->faults.Take(m_sName, nMethod, record)) {
            SetError(std::move(record));
            return false;
        }
        return Call(nMethod, args, vResult);
    }
    ServerObject* QueryInterface(std::string_view sInterface) override {
        return EqualsNoCase(sInterface, kErrorInterface) ? &m_error : nullptr;
    }

    SimController& Ctl() { return *m_ctl; }
    const ControllerPtr& CtlPtr() const { return m_ctl; }
    const std::string& Name() const { return m_sName; }
    const MessageRecord* LastError() const { return m_bHasError ? &m_last : nullptr; }

protected:
    virtual bool Call(int nMethod, const Args& args, ServerValue& vResult) = 0;

    bool Fail(std::int32_t nMessage, std::string sCause, TextArray params = {}) {
        MessageRecord r;
        // The time of the failure as the server's clock gives it: 100 ns steps since 1601.
        const auto ticks =
            static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                           std::chrono::system_clock::now().time_since_epoch())
                                               .count() /
                                           100 +
                                       116444736000000000LL);
        r.nLowTimeStamp = static_cast<std::int32_t>(ticks & 0xFFFFFFFFu);
        r.nHighTimeStamp = static_cast<std::int32_t>(ticks >> 32);
        r.eMessageType = 3;
        r.nMessage = nMessage;
        r.bstrDBModule = m_sName;
        r.bstrCause = std::move(sCause);
        r.bstrDBMessage = r.bstrCause;
        r.varParams = std::move(params);
        SetError(std::move(r));
        return false;
    }
    bool BadArguments(int nMethod) {
        return Fail(kBadArguments, "wrong arguments for method " + std::to_string(nMethod));
    }
    bool UnknownMethod(int nMethod) {
        return Fail(kUnknownMethod, m_sName + " has no method " + std::to_string(nMethod));
    }
    bool UnknownVariable(const std::string& sName) {
        return Fail(kUnknownVariable, "unknown variable " + sName, {sName});
    }

private:
    void SetError(MessageRecord record) {
        m_last = std::move(record);
        m_bHasError = true;
    }

    ControllerPtr m_ctl;
    std::string m_sName;
    ErrorInterface m_error;
    MessageRecord m_last;
    bool m_bHasError = false;
};

bool ErrorInterface::Invoke(int nMethod, const Args&, ServerValue& vResult) {
    MessageRecord record;
    if (m_owner.Ctl().faults.Take(m_owner.Name() + "Error", nMethod, record)) {
        return false;
    }
    const MessageRecord* pLast = m_owner.LastError();
    if (nMethod != 1 || !pLast) {
        return false;
    }
    vResult = *pLast;
    return true;
}

class SyncVar : public SimObject {
public:
    explicit SyncVar(ControllerPtr ctl) : SimObject(std::move(ctl), "SyncVar") {}

protected:
    bool Call(int nMethod, const Args& args, ServerValue& vResult) override {
        const std::string* pName = Arg<std::string>(args, 0);
        if (nMethod == 1) {
            if (!pName) {
                return BadArguments(nMethod);
            }
            auto value = Ctl().vars.Read(*pName);
            if (!value) {
                return UnknownVariable(*pName);
            }
            vResult = *value;
            return true;
        }
        if (nMethod == 2) {
            const std::string* pValue = Arg<std::string>(args, 1);
            if (!pName || !pValue) {
                return BadArguments(nMethod);
            }
            if (!Ctl().vars.Write(*pName, *pValue)) {
                return UnknownVariable(*pName);
            }
            return true;
        }
        return UnknownMethod(nMethod);
    }
};

class SyncFile : public SimObject {
public:
    explicit SyncFile(ControllerPtr ctl) : SimObject(std::move(ctl), "SyncFile") {}

protected:
    bool Call(int nMethod, const Args& args, ServerValue& vResult) override {
        switch (nMethod) {
        case 2:
            return List(args, vResult);
        case 4:
            return Delete(args);
        case 5:
            return Copy(args);
        case 8:
            if (const std::string* pQuery = Arg<std::string>(args, 0)) {
                vResult = Ctl().files.Resolve(*pQuery);
                return true;
            }
            return BadArguments(nMethod);
        case 10:
            return WriteFromMemory(args);
        case 11:
            return ReadIntoMemory(args, vResult);
        default:
            return UnknownMethod(nMethod);
        }
    }

private:
    bool FileError(const std::string& sError) { return Fail(kFileError, sError); }

    bool List(const Args& args, ServerValue& vResult) {
        const std::string* pPath = Arg<std::string>(args, 0);
        if (!pPath || !Arg<std::int32_t>(args, 1) || !Arg<std::int32_t>(args, 2)) {
            return BadArguments(2);
        }
        TextArray names;
        std::string sError;
        if (!Ctl().files.List(*pPath, names, sError)) {
            return FileError(sError);
        }
        vResult = std::move(names);
        return true;
    }

    bool Delete(const Args& args) {
        const std::string* pPath = Arg<std::string>(args, 0);
        if (!pPath || !Arg<std::int32_t>(args, 1)) {
            return BadArguments(4);
        }
        std::string sError, sDeleted;
        if (!Ctl().files.Delete(*pPath, sError, sDeleted)) {
            return FileError(sError);
        }
        Ctl().journal.Append("DELETE", sDeleted);
        return true;
    }

    bool Copy(const Args& args) {
        const std::string* pSource = Arg<std::string>(args, 0);
        const std::string* pTarget = Arg<std::string>(args, 1);
        const std::int32_t* pFlags = Arg<std::int32_t>(args, 2);
        if (!pSource || !pTarget || !pFlags) {
            return BadArguments(5);
        }
        std::string sBytes, sError;
        if (*pFlags == 64) {
            if (!ReadWholeFile(*pSource, sBytes)) {
                return FileError("PC file cannot be read: " + *pSource);
            }
            std::string sWritten;
            if (!Ctl().files.Write(*pTarget, sBytes, sError, sWritten)) {
                return FileError(sError);
            }
            Ctl().journal.Append("COPY", *pSource + " -> " + sWritten);
            return true;
        }
        if (*pFlags == 4160) {
            if (!Ctl().files.Read(*pSource, sBytes, sError)) {
                return FileError(sError);
            }
            if (!ReplaceFileAtomically(*pTarget, sBytes, &sError)) {
                return FileError("PC file cannot be written: " + sError);
            }
            Ctl().journal.Append("COPY", *pSource + " -> " + *pTarget);
            return true;
        }
        return Fail(kBadArguments, "unknown copy flags " + std::to_string(*pFlags));
    }

    bool WriteFromMemory(const Args& args) {
        const ByteArray* pBytes = Arg<ByteArray>(args, 0);
        const std::string* pPath = Arg<std::string>(args, 1);
        if (!pBytes || !pPath || !Arg<std::int32_t>(args, 2)) {
            return BadArguments(10);
        }
        std::string sError, sWritten;
        const std::string sBytes(pBytes->begin(), pBytes->end());
        if (!Ctl().files.Write(*pPath, sBytes, sError, sWritten)) {
            return FileError(sError);
        }
        Ctl().journal.Append("WRITE", sWritten + " " + std::to_string(sBytes.size()) + " bytes");
        return true;
    }

    bool ReadIntoMemory(const Args& args, ServerValue& vResult) {
        const std::string* pPath = Arg<std::string>(args, 0);
        if (!pPath || !Arg<std::int32_t>(args, 1)) {
            return BadArguments(11);
        }
        std::string sBytes, sError;
        if (!Ctl().files.Read(*pPath, sBytes, sError)) {
            return FileError(sError);
        }
        vResult = ByteArray(sBytes.begin(), sBytes.end());
        return true;
    }
};

class SyncEdit : public SimObject {
public:
    explicit SyncEdit(ControllerPtr ctl) : SimObject(std::move(ctl), "SyncEdit") {}

protected:
    bool Call(int nMethod, const Args&, ServerValue&) override { return UnknownMethod(nMethod); }
};

class SyncSelect : public SimObject {
public:
    explicit SyncSelect(ControllerPtr ctl) : SimObject(std::move(ctl), "SyncSelect") {}

protected:
    bool Call(int nMethod, const Args& args, ServerValue&) override {
        std::string sError;
        if (nMethod == 3 || nMethod == 4) {
            const std::int32_t* pN = Arg<std::int32_t>(args, 0);
            if (!pN) {
                return BadArguments(nMethod);
            }
            const bool bDone = nMethod == 3 ? Ctl().interpreters.Stop(*pN, sError)
                                            : Ctl().interpreters.Cancel(*pN, sError);
            return bDone || Fail(kInterpreterRefused, sError);
        }
        if (nMethod == 5) {
            const std::string* pProgram = Arg<std::string>(args, 0);
            bool bImplicitCancel = false;
            if (!pProgram || !Arg<std::string>(args, 1) || !FlagArg(args, 2, bImplicitCancel)) {
                return BadArguments(nMethod);
            }
            return Ctl().interpreters.Run(*pProgram, bImplicitCancel, ProgramExists(*pProgram),
                                          sError) ||
                   Fail(kInterpreterRefused, sError);
        }
        return UnknownMethod(nMethod);
    }

private:
    // "/R1/NAME" names a program file NAME.* of R1; a resolved "BNX:\R1\NAME.EXT" the file.
    bool ProgramExists(const std::string& sProgram) {
        const std::size_t cut = sProgram.find_last_of("/\\");
        const std::string sName = cut == std::string::npos ? sProgram : sProgram.substr(cut + 1);
        const std::string sFolder = UCase(sProgram.substr(0, cut + 1));
        if (sName.empty() || (sFolder != "/R1/" && sFolder != "BNX:\\R1\\")) {
            return false;
        }
        TextArray names;
        std::string sError;
        Ctl().files.List("BNX:\\", names, sError);
        for (const std::string& sEntry : names) {
            const std::string sFile = sEntry.substr(3);
            const std::string sStem = sFile.substr(0, sFile.rfind('.'));
            if (EqualsNoCase(sFile, sName) || EqualsNoCase(sStem, sName)) {
                return true;
            }
        }
        return false;
    }
};

class SyncIo : public SimObject {
public:
    explicit SyncIo(ControllerPtr ctl) : SimObject(std::move(ctl), "SyncIo") {}

protected:
    bool Call(int nMethod, const Args& args, ServerValue&) override {
        if (nMethod != 1) {
            return UnknownMethod(nMethod);
        }
        const std::int32_t* pCommand = Arg<std::int32_t>(args, 0);
        const std::int32_t* pBus = Arg<std::int32_t>(args, 1);
        if (!pCommand || !pBus || !Arg<std::int32_t>(args, 2)) {
            return BadArguments(nMethod);
        }
        Ctl().journal.Append("IO", "command " + std::to_string(*pCommand) + " bus " +
                                       std::to_string(*pBus));
        return true;
    }
};

class AsyncVar : public SimObject {
public:
    explicit AsyncVar(ControllerPtr ctl) : SimObject(std::move(ctl), "AsyncVar") {}
    ~AsyncVar() override { Ctl().UnsubscribeAll(this); }

protected:
    bool Call(int nMethod, const Args& args, ServerValue&) override {
        if (nMethod == 3) {
            ITQCallbackVar* const* ppCallback = Arg<ITQCallbackVar*>(args, 0);
            const std::int32_t* pID = Arg<std::int32_t>(args, 1);
            const std::string* pName = Arg<std::string>(args, 2);
            if (!ppCallback || !*ppCallback || !pID || !pName || !Arg<std::int32_t>(args, 3)) {
                return BadArguments(nMethod);
            }
            if (!Ctl().vars.Read(*pName)) {
                return UnknownVariable(*pName);
            }
            Ctl().Subscribe(this, *ppCallback, *pID, *pName);
            return true;
        }
        if (nMethod == 6) {
            const std::int32_t* pID = Arg<std::int32_t>(args, 0);
            if (!pID) {
                return BadArguments(nMethod);
            }
            return Ctl().Unsubscribe(this, *pID) ||
                   Fail(kUnknownSubscription, "no subscription " + std::to_string(*pID));
        }
        return UnknownMethod(nMethod);
    }
};

// Confirms the controller's messages: method 2 with the client's error callback.
class ConfirmInterface : public ServerObject {
public:
    bool Invoke(int nMethod, const Args& args, ServerValue&) override {
        return nMethod == 2 && Arg<IQCallbackError*>(args, 0) != nullptr;
    }
    ServerObject* QueryInterface(std::string_view) override { return nullptr; }
};

class AdviseMessage : public SimObject {
public:
    explicit AdviseMessage(ControllerPtr ctl) : SimObject(std::move(ctl), "AdviseMessage") {}
    ServerObject* QueryInterface(std::string_view sInterface) override {
        if (EqualsNoCase(sInterface, kConfirmInterface)) {
            return &m_confirm;
        }
        return SimObject::QueryInterface(sInterface);
    }

protected:
    bool Call(int nMethod, const Args& args, ServerValue&) override {
        if (nMethod != 1) {
            return UnknownMethod(nMethod);
        }
        ITQConsumeMessage* const* ppConsumer = Arg<ITQConsumeMessage*>(args, 0);
        if (!ppConsumer || !*ppConsumer || !Arg<std::int32_t>(args, 1)) {
            return BadArguments(nMethod);
        }
        return true;
    }

private:
    ConfirmInterface m_confirm;
};

class Factory : public SimObject {
public:
    explicit Factory(ControllerPtr ctl) : SimObject(std::move(ctl), "Factory") {}

protected:
    bool Call(int nMethod, const Args& args, ServerValue& vResult) override {
        if (nMethod != 1) {
            return UnknownMethod(nMethod);
        }
        const std::string* pProgId = Arg<std::string>(args, 0);
        const std::string* pConnectName = Arg<std::string>(args, 1);
        if (!pProgId || !pConnectName || pConnectName->empty()) {
            return BadArguments(nMethod);
        }
        ServerObjectPtr object = Make(*pProgId);
        if (!object) {
            return Fail(kUnknownProgId, "unknown ProgID " + *pProgId, {*pProgId});
        }
        vResult = std::move(object);
        return true;
    }

private:
    ServerObjectPtr Make(std::string_view sProgId) const {
        const ControllerPtr& ctl = CtlPtr();
        if (EqualsNoCase(sProgId, kProgIdSyncVar)) {
            return std::make_shared<SyncVar>(ctl);
        }
        if (EqualsNoCase(sProgId, kProgIdSyncFile)) {
            return std::make_shared<SyncFile>(ctl);
        }
        if (EqualsNoCase(sProgId, kProgIdSyncEdit)) {
            return std::make_shared<SyncEdit>(ctl);
        }
        if (EqualsNoCase(sProgId, kProgIdSyncSelect)) {
            return std::make_shared<SyncSelect>(ctl);
        }
        if (EqualsNoCase(sProgId, kProgIdSyncIo)) {
            return std::make_shared<SyncIo>(ctl);
        }
        if (EqualsNoCase(sProgId, kProgIdAsyncVar)) {
            return std::make_shared<AsyncVar>(ctl);
        }
        if (EqualsNoCase(sProgId, kProgIdAdviseMessage)) {
            return std::make_shared<AdviseMessage>(ctl);
        }
        return nullptr;
    }
};

} // namespace

ServerProvider SimulatedServerProvider(std::filesystem::path imageRoot) {
    auto controller = std::make_shared<ControllerPtr>();
    return [imageRoot = std::move(imageRoot), controller]() -> ServerObjectPtr {
        if (!*controller) {
            auto loaded = std::make_shared<SimController>(imageRoot);
            if (!loaded->Reachable()) {
                return nullptr;
            }
            *controller = std::move(loaded);
        }
        return std::make_shared<Factory>(*controller);
    };
}

} // namespace morvane::sim
