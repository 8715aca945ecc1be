#include "controller/TrellComm.h"

#include <algorithm>
#include <filesystem>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"
#include "controller/ControllerFileName.h"

namespace morvane {

namespace {

constexpr std::int32_t kCopyToRobot = 64;
constexpr std::int32_t kCopyFromRobot = 4160;
constexpr std::int32_t kMemoryTransfer = 4160;

std::string BoolText(bool b) {
    return b ? "True" : "False";
}

bool HasWildcard(std::string_view s) {
    return s.find_first_of("*?") != std::string_view::npos;
}

} // namespace

cTrellComm::~cTrellComm() {
    ServerOff();
}

bool cTrellComm::Call(ServerObject* oServer, int nMethod, std::vector<ServerValue> args,
                      ServerValue& vResult) {
    return oServer != nullptr && oServer->Invoke(nMethod, args, vResult);
}

bool cTrellComm::Command(ServerObject* oServer, int nMethod, std::vector<ServerValue> args) {
    ServerValue vResult;
    return Call(oServer, nMethod, std::move(args), vResult) || Fail(oServer);
}

bool cTrellComm::Fail(ServerObject* oServer) {
    HandleLastError(oServer);
    return false;
}

void cTrellComm::HandleLastError(ServerObject* oServer) {
    if (!oServer) {
        return;
    }
    ServerObject* pErrors = oServer->QueryInterface(kErrorInterface);
    ServerValue vRecord;
    if (!pErrors || !pErrors->Invoke(1, {}, vRecord)) {
        return;
    }
    const MessageRecord* r = std::get_if<MessageRecord>(&vRecord);
    if (!r) {
        return;
    }
    std::string s = "Error: bDBCause=" + BoolText(r->bDBCause) + " , bstrCause=" + r->bstrCause +
                    " , bstrDBMessage=" + r->bstrDBMessage + " , bstrDBModule=" + r->bstrDBModule +
                    " , eMessageType=" + std::to_string(r->eMessageType) +
                    " , nBiasTimeStamp=" + std::to_string(r->nBiasTimeStamp) +
                    " , nHighTimeStamp=" + std::to_string(r->nHighTimeStamp) +
                    " , nLowTimeStamp=" + std::to_string(r->nLowTimeStamp) +
                    " , nMessage=" + std::to_string(r->nMessage) +
                    " , nMessageHandle=" + std::to_string(r->nMessageHandle);
    for (std::size_t i = 0; i < r->varParams.size(); ++i) {
        s += " , varParams(" + std::to_string(i) + ") =" + r->varParams[i];
    }
    for (std::size_t i = 0; i < r->varDBParams.size(); ++i) {
        s += " , varDBParams(" + std::to_string(i) + ") =" + r->varDBParams[i];
    }
    m_sLastError = std::move(s);
}

bool cTrellComm::Init(TrellParent* oParent) {
    if (!oParent) {
        return false;
    }
    m_parent = oParent;
    m_factory = CreateServerFactory();
    m_bConnected = m_factory != nullptr;
    return m_bConnected;
}

bool cTrellComm::CreateObject(std::string_view sProgId, ServerObjectPtr& object) {
    ServerValue vObject;
    if (!Call(m_factory.get(), 1, {std::string(sProgId), m_sConnectName}, vObject)) {
        return false;
    }
    const ServerObjectPtr* p = std::get_if<ServerObjectPtr>(&vObject);
    if (!p || !*p) {
        return false;
    }
    object = *p;
    return true;
}

bool cTrellComm::ConnectToTrell(std::string_view sConnectName, std::int16_t nC_Mode) {
    m_sConnectName = sConnectName;
    m_nC_Mode = nC_Mode;
    const bool bCreated =
        CreateObject(kProgIdSyncVar, m_SyncVar) && CreateObject(kProgIdSyncFile, m_SyncFile) &&
        CreateObject(kProgIdSyncEdit, m_SyncEdit) &&
        CreateObject(kProgIdSyncSelect, m_SyncSelect) && CreateObject(kProgIdSyncIo, m_SyncIo) &&
        CreateObject(kProgIdAsyncVar, m_AsyncVar);
    if (!bCreated) {
        m_bConnected = false;
        return false;
    }
    if (m_nC_Mode == -1) {
        // The messages go to this object, so that they reach the parent's hooks.
        ServerValue vResult;
        if (!CreateObject(kProgIdAdviseMessage, m_AdviseMessage) ||
            !Call(m_AdviseMessage.get(), 1,
                  {static_cast<ITQConsumeMessage*>(this), std::int32_t{311}}, vResult)) {
            m_bConnected = false;
            return false;
        }
    }
    m_bConnected = true;
    return true;
}

void cTrellComm::ServerOff() {
    m_SyncVar.reset();
    m_SyncFile.reset();
    m_SyncEdit.reset();
    m_SyncSelect.reset();
    m_SyncIo.reset();
    m_AsyncVar.reset();
    m_AdviseMessage.reset();
    m_factory.reset();
}

bool cTrellComm::ShowVar(std::string_view strVarName, std::string& strVarValue) {
    ServerValue vValue;
    if (!Call(m_SyncVar.get(), 1, {std::string(strVarName)}, vValue)) {
        return Fail(m_SyncVar.get());
    }
    const std::string* p = std::get_if<std::string>(&vValue);
    if (!p) {
        return false;
    }
    strVarValue = std::string(strVarName) + "=" + *p;
    return true;
}

bool cTrellComm::SetVar(std::string_view strVarName, std::string_view strNewValue) {
    return Command(m_SyncVar.get(), 2, {std::string(strVarName), std::string(strNewValue)});
}

bool cTrellComm::SetInfoOn(std::string_view sVariableName, std::string_view, std::int32_t) {
    if (m_colSubscriptions.Contains(sVariableName)) {
        return true;
    }
    ++m_nSubscriptionCounter;
    m_arrSubscription.resize(static_cast<std::size_t>(m_nSubscriptionCounter) + 1);
    KeyedCollection& record = m_arrSubscription[static_cast<std::size_t>(m_nSubscriptionCounter)];
    record.Add(std::string(sVariableName), "sVariableName");
    record.Add(std::to_string(m_nSubscriptionCounter), "m_nID");
    m_colSubscriptions.Add(std::to_string(m_nSubscriptionCounter), std::string(sVariableName));
    ServerValue vResult;
    if (!Call(m_AsyncVar.get(), 3,
              {static_cast<ITQCallbackVar*>(this), m_nSubscriptionCounter,
               std::string(sVariableName), std::int32_t{200}},
              vResult)) {
        // Not subscribed: the name may try again, with a new number.
        m_colSubscriptions.Remove(sVariableName);
        return Fail(m_AsyncVar.get());
    }
    return true;
}

bool cTrellComm::SetInfoOff(std::string_view sVariableName, std::int32_t) {
    if (!m_colSubscriptions.Contains(sVariableName)) {
        return false;
    }
    const auto nID = static_cast<std::int32_t>(Val(m_colSubscriptions.Item(sVariableName)));
    m_colSubscriptions.Remove(sVariableName);
    ServerValue vResult;
    return Call(m_AsyncVar.get(), 6, {nID}, vResult);
}

bool cTrellComm::GetRobotDirectory(std::string& sDir, std::string_view vMask, std::int32_t) {
    ServerValue vNames;
    if (!Call(m_SyncFile.get(), 2,
              {"BNX:\\" + std::string(vMask), std::int32_t{0}, std::int32_t{5}}, vNames)) {
        return Fail(m_SyncFile.get());
    }
    const TextArray* pNames = std::get_if<TextArray>(&vNames);
    if (!pNames) {
        return false;
    }
    std::string s;
    for (const std::string& sName : *pNames) {
        s += sName + "\n";
    }
    sDir = std::move(s);
    return true;
}

bool cTrellComm::ResolvePath(std::string_view sName, std::string& sPath) {
    ServerValue vPath;
    if (!Call(m_SyncFile.get(), 8, {"/R1/" + std::string(sName)}, vPath)) {
        return false;
    }
    const std::string* p = std::get_if<std::string>(&vPath);
    if (!p) {
        return false;
    }
    sPath = *p;
    return true;
}

bool cTrellComm::DownLoadMemToRobot(std::string_view sFileName, std::string_view sfile,
                                    std::int32_t, bool) {
    if (!m_bConnected) {
        return false;
    }
    std::string sName(sFileName);
    if (!SplitFileName(sName)) {
        return false;
    }
    std::string sList;
    if (!GetRobotDirectory(sList, "", 10000)) {
        sList.clear();
    }
    std::string sTarget;
    if (InStr(UCase(sList), UCase(sName)) > 0 && !ResolvePath(sName, sTarget)) {
        return Fail(m_SyncFile.get());
    }
    // A name that only occurs inside a longer listed name resolves to nothing: a new file.
    if (sTarget.empty()) {
        sTarget = "BNX:\\R1\\" + UCase(sName);
    }
    ByteArray content;
    Str2ByteArray(sfile, content);
    return Command(m_SyncFile.get(), 10, {std::move(content), sTarget, kMemoryTransfer});
}

bool cTrellComm::UpLoadFromRobotToDisk(std::string_view sFileName, std::string& spath,
                                       std::string_view, std::int32_t) {
    if (!spath.ends_with("/")) {
        spath += "/";
    }
    if (!m_bConnected) {
        return false;
    }
    std::string sName(sFileName);
    if (!SplitFileName(sName)) {
        return false;
    }
    std::string sSource;
    if (!ResolvePath(sName, sSource)) {
        return Fail(m_SyncFile.get());
    }
    std::string_view sKey = "$Machine.dat is Readonly";
    if (sSource.empty()) {
        sSource = "bnx:\\r1\\" + sName;
        sKey = "the file $Machine.dat is Readonly";
    }
    const std::string sTarget = spath + sName;
    // A write-protected local copy means someone froze it on purpose: the tool must not go on.
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ToPath(spath), ec)) {
        if (EqualsNoCase(FromPath(entry.path().filename()), sName) &&
            IsReadOnly(FromPath(entry.path()))) {
            MsgBox(Paragraphs(T(sKey), T("Tools is to end")), MsgButtons::OK, MsgIcon::Error);
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ec);
            Ui().EndProgram();
        }
    }
    return Command(m_SyncFile.get(), 5, {sSource, sTarget, kCopyFromRobot});
}

bool cTrellComm::UpLoadFromRobotToMem(std::string_view sFileName, std::string& sfile,
                                      std::string_view, std::int32_t, bool) {
    std::string sName(sFileName);
    SplitFileName(sName);
    std::string sSource;
    ServerValue vBytes;
    if (!ResolvePath(sName, sSource) ||
        !Call(m_SyncFile.get(), 11, {sSource, kMemoryTransfer}, vBytes)) {
        return Fail(m_SyncFile.get());
    }
    const ByteArray* pBytes = std::get_if<ByteArray>(&vBytes);
    if (!pBytes) {
        return false;
    }
    sfile = BytesToText(*pBytes);
    return true;
}

bool cTrellComm::CopyToRobot(const std::string& sSource, std::string sName) {
    std::string sTarget;
    if (!ResolvePath(sName, sTarget)) {
        return Fail(m_SyncFile.get());
    }
    if (sTarget.empty()) {
        sTarget = "BNX:\\R1\\" + sName;
    }
    return Command(m_SyncFile.get(), 5, {sSource, sTarget, kCopyToRobot});
}

bool cTrellComm::DownLoadDiskToRobot(std::string_view sFileName, std::int32_t) {
    if (!m_bConnected) {
        return false;
    }
    const std::size_t bar = sFileName.find('|');
    if (bar != std::string_view::npos) {
        if (HasWildcard(sFileName)) {
            return false;
        }
        return Command(
            m_SyncFile.get(), 5,
            {Trim(sFileName.substr(0, bar)), Trim(sFileName.substr(bar + 1)), kCopyToRobot});
    }
    if (!HasWildcard(sFileName)) {
        std::string sName(sFileName);
        return SplitFileName(sName) && CopyToRobot(std::string(sFileName), sName);
    }
    const std::size_t cut = sFileName.find_last_of("/\\");
    const std::string sFolder(cut == std::string_view::npos ? "" : sFileName.substr(0, cut + 1));
    const std::string_view sPattern = sFileName.substr(cut == std::string_view::npos ? 0 : cut + 1);
    std::error_code ec;
    std::filesystem::directory_iterator it(ToPath(sFolder.empty() ? "." : sFolder), ec);
    if (ec) {
        return false;
    }
    std::vector<std::string> names;
    for (const auto& entry : it) {
        const std::string sName = FromPath(entry.path().filename());
        if (MatchesFilePattern(sName, sPattern)) {
            names.push_back(sName);
        }
    }
    std::sort(names.begin(), names.end());
    for (std::string sName : names) {
        if (!SplitFileName(sName) || !CopyToRobot(sFolder + sName, sName)) {
            return false;
        }
    }
    return true;
}

bool cTrellComm::DeleteRobotProgram(std::string_view sPrgName, std::int32_t) {
    std::string sName(sPrgName);
    if (!SplitFileName(sName)) {
        return false;
    }
    std::string sPath;
    if (!ResolvePath(sName, sPath)) {
        return Fail(m_SyncFile.get());
    }
    return Command(m_SyncFile.get(), 4, {sPath, std::int32_t{-1}});
}

bool cTrellComm::RobotLevelStop(std::int32_t) {
    return Command(m_SyncSelect.get(), 3, {std::int32_t{1}});
}

bool cTrellComm::ControlLevelStop(std::int32_t) {
    return Command(m_SyncSelect.get(), 3, {std::int32_t{0}});
}

bool cTrellComm::CancelModul(std::int32_t vTimeOut) {
    std::int32_t nMode = 1;
    if (vTimeOut == -1) {
        ControlLevelStop(3000);
        nMode = 0;
    }
    return Command(m_SyncSelect.get(), 4, {nMode});
}

bool cTrellComm::RunControlLevel(std::string_view vPrgName, std::int32_t) {
    std::string sName(vPrgName);
    if (sName.empty() && !ShowVar("$PRO_I_O[]", sName)) {
        sName.clear();
    }
    if (const std::size_t eq = sName.find('='); eq != std::string::npos) {
        sName.erase(0, eq + 1);
    }
    if (const std::size_t paren = sName.find('('); paren != std::string::npos) {
        sName.erase(paren);
    }
    sName = Replace(sName, "\"", "");
    return Command(m_SyncSelect.get(), 5, {sName, std::string(), false});
}

bool cTrellComm::SelectModul(std::string& strFile, std::string_view strParam, bool bImplizitCancel,
                             std::int32_t) {
    if (!SplitFileName(strFile)) {
        return false;
    }
    std::string sPath;
    if (!ResolvePath(strFile, sPath)) {
        return Fail(m_SyncFile.get());
    }
    strFile = sPath;
    return Command(m_SyncSelect.get(), 5, {strFile, std::string(strParam), bImplizitCancel});
}

bool cTrellComm::ConfirmAll(std::int32_t) {
    ServerObject* pConfirm =
        m_AdviseMessage ? m_AdviseMessage->QueryInterface(kConfirmInterface) : nullptr;
    if (!pConfirm) {
        return false;
    }
    ServerValue vResult;
    return pConfirm->Invoke(2,
                            {static_cast<IQCallbackError*>(this), std::int32_t{0}, std::int32_t{0}},
                            vResult) ||
           Fail(m_AdviseMessage.get());
}

bool cTrellComm::BnxOk(std::int32_t) {
    return true;
}

bool cTrellComm::IO_Restart(std::int32_t nBus, std::int32_t) {
    return Command(m_SyncIo.get(), 1, {std::int32_t{12}, nBus, std::int32_t{0}});
}

void cTrellComm::Str2ByteArray(std::string_view StringIn, ByteArray& ByteArray) {
    ByteArray.assign(StringIn.begin(), StringIn.end());
}

std::string cTrellComm::BytesToText(const ByteArray& bytes) {
    const auto nul = std::find(bytes.begin(), bytes.end(), static_cast<unsigned char>(0));
    return std::string(bytes.begin(), nul);
}

bool cTrellComm::SplitFileName(std::string& sFileName) {
    const std::size_t cut = sFileName.find_last_of("/\\");
    std::string sName = cut == std::string::npos ? sFileName : sFileName.substr(cut + 1);
    if (sName.find('.') == std::string::npos) {
        sFileName.clear();
        return false;
    }
    sFileName = std::move(sName);
    return true;
}

void cTrellComm::OnSetInfo(std::int32_t nID, const std::string& bstrVal) {
    std::string sName;
    for (const KeyedCollection::Entry& entry : m_colSubscriptions) {
        if (entry.sItem == std::to_string(nID)) {
            sName = m_arrSubscription[static_cast<std::size_t>(nID)].Item("sVariableName");
            break;
        }
    }
    const std::string sText = sName + "=" + bstrVal;
    if (!m_parent) {
        return;
    }
    try {
        m_parent->SetInfoResult(sText);
    } catch (const RunTimeError&) {
    }
    try {
        m_parent->Trell1_CmdMessage(0, sText);
    } catch (const RunTimeError&) {
    }
}

void cTrellComm::OnAddMessage(const MessageRecord& pMessage) {
    std::string s =
        std::to_string(pMessage.nMessageHandle) + "," + BoolText(pMessage.bDBCause) + "," +
        pMessage.bstrCause + "," + pMessage.bstrDBMessage + "," + pMessage.bstrDBModule + "," +
        std::to_string(pMessage.eMessageType) + "," + std::to_string(pMessage.nBiasTimeStamp) +
        "," + std::to_string(pMessage.nHighTimeStamp) + "," +
        std::to_string(pMessage.nLowTimeStamp) + "," + std::to_string(pMessage.nMessage);
    for (std::size_t i = 0; i < pMessage.varParams.size(); ++i) {
        s += "," + std::to_string(i) + "=" + pMessage.varParams[i];
    }
    for (std::size_t i = 0; i < pMessage.varDBParams.size(); ++i) {
        s += "," + std::to_string(i) + "=" + pMessage.varDBParams[i];
    }
    if (!m_parent) {
        return;
    }
    try {
        m_parent->RobMessage(s, pMessage.eMessageType);
    } catch (const RunTimeError&) {
    }
    try {
        m_parent->Trell1_Message(s, pMessage.eMessageType);
    } catch (const RunTimeError&) {
    }
}

void cTrellComm::OnSetMultiVar(std::int32_t) {}
void cTrellComm::OnSetVar(std::int32_t) {}
void cTrellComm::OnShowMultiVar(std::int32_t, const TextArray&) {}
void cTrellComm::OnShowVar(std::int32_t, const std::string&) {}
void cTrellComm::OnDialog(std::int32_t, const MessageRecord&) {}
void cTrellComm::OnError(std::int32_t, const MessageRecord&) {}
void cTrellComm::OnAddDialog(const MessageRecord&) {}
void cTrellComm::OnSubMessage(std::int32_t) {}

} // namespace morvane
