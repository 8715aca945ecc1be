// The one object through which the tool talks to the controller's communication server:
// variables, file transfer both ways, interpreter control, subscriptions and server messages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/KeyedCollection.h"
#include "controller/ServerInterface.h"

namespace morvane {

// What the object may tell its parent; every hook does nothing unless the parent overrides it.
class TrellParent {
public:
    virtual ~TrellParent() = default;
    virtual void SetInfoResult(const std::string& /*sResult*/) {}
    virtual void Trell1_CmdMessage(std::int32_t /*nCmd*/, const std::string& /*sText*/) {}
    virtual void RobMessage(const std::string& /*sText*/, std::int32_t /*eMessageType*/) {}
    virtual void Trell1_Message(const std::string& /*sText*/, std::int32_t /*eMessageType*/) {}
};

class cTrellComm : public ITQCallbackVar, public IQCallbackError, public ITQConsumeMessage {
public:
    cTrellComm() = default;
    ~cTrellComm() override;
    cTrellComm(const cTrellComm&) = delete;
    cTrellComm& operator=(const cTrellComm&) = delete;

    bool Init(TrellParent* oParent);
    // nC_Mode -1 = message mode: the object also receives the controller's messages.
    bool ConnectToTrell(std::string_view sConnectName, std::int16_t nC_Mode = 0);
    void ServerOff();

    bool SetVar(std::string_view strVarName, std::string_view strNewValue);
    // strVarValue = name "=" value, for example "$MODE_OP=#T1".
    bool ShowVar(std::string_view strVarName, std::string& strVarValue);
    bool SetInfoOn(std::string_view sVariableName, std::string_view sResult = {},
                   std::int32_t vTimeOut = 3000);
    bool SetInfoOff(std::string_view sVariableName, std::int32_t vTimeOut = 3000);

    // sDir = the names below "BNX:\" & vMask, each followed by a line feed.
    bool GetRobotDirectory(std::string& sDir, std::string_view vMask = {},
                           std::int32_t vTimeOut = 10000);
    // "source|target", a PC file, or PC files matching "*" and "?".
    bool DownLoadDiskToRobot(std::string_view sFileName, std::int32_t vTimeOut = 70000);
    bool DownLoadMemToRobot(std::string_view sFileName, std::string_view sfile,
                            std::int32_t vTimeOut = 70000, bool bKonvert = false);
    // spath gets a trailing "/". A read-only local copy ends the program.
    bool UpLoadFromRobotToDisk(std::string_view sFileName, std::string& spath,
                               std::string_view sOptions = {}, std::int32_t vTimeOut = 70000);
    bool UpLoadFromRobotToMem(std::string_view sFileName, std::string& sfile,
                              std::string_view sOptions = {}, std::int32_t vTimeOut = 70000,
                              bool bKonvert = false);
    bool DeleteRobotProgram(std::string_view sPrgName, std::int32_t vTimeOut = 10000);

    bool RobotLevelStop(std::int32_t vTimeOut = 3000);
    bool ControlLevelStop(std::int32_t vTimeOut = 3000);
    // "" = the submit program $PRO_I_O[] names.
    bool RunControlLevel(std::string_view vPrgName = {}, std::int32_t vTimeOut = 3000);
    // strFile receives the resolved controller path.
    bool SelectModul(std::string& strFile, std::string_view strParam, bool bImplizitCancel = false,
                     std::int32_t vTimeOut = 3000);
    // vTimeOut -1 stops the control level first.
    bool CancelModul(std::int32_t vTimeOut = 3000);
    bool ConfirmAll(std::int32_t vTimeOut = 3000);
    bool BnxOk(std::int32_t vTimeOut = 3000);
    bool IO_Restart(std::int32_t nBus, std::int32_t vTimeOut = 3000);

    bool TrellIsConnected() const { return m_bConnected; }
    const std::string& TrellError() const { return m_sLastError; }

    static void Str2ByteArray(std::string_view StringIn, ByteArray& ByteArray);
    // The bytes as text, up to the first NUL.
    static std::string BytesToText(const ByteArray& bytes);
    // sFileName becomes its last path component; false (and "") when that has no ".".
    static bool SplitFileName(std::string& sFileName);
    // Puts the description of oServer's last error into TrellError.
    void HandleLastError(ServerObject* oServer);

    void OnSetInfo(std::int32_t nID, const std::string& bstrVal) override;
    void OnSetMultiVar(std::int32_t nID) override;
    void OnSetVar(std::int32_t nID) override;
    void OnShowMultiVar(std::int32_t nID, const TextArray& varVals) override;
    void OnShowVar(std::int32_t nID, const std::string& bstrVal) override;
    void OnDialog(std::int32_t nID, const MessageRecord& pDialogData) override;
    void OnError(std::int32_t nID, const MessageRecord& pErrorData) override;
    void OnAddMessage(const MessageRecord& pMessage) override;
    void OnAddDialog(const MessageRecord& pDialogData) override;
    void OnSubMessage(std::int32_t nMessageHandle) override;

private:
    bool Call(ServerObject* oServer, int nMethod, std::vector<ServerValue> args,
              ServerValue& vResult);
    // A call whose result is not needed; a failure is described as Fail does.
    bool Command(ServerObject* oServer, int nMethod, std::vector<ServerValue> args);
    // The failure path: the server's error description, then False.
    bool Fail(ServerObject* oServer);
    bool CreateObject(std::string_view sProgId, ServerObjectPtr& object);
    // "/R1/" & name resolved by the server; false when the server fails.
    bool ResolvePath(std::string_view sName, std::string& sPath);
    bool CopyToRobot(const std::string& sSource, std::string sName);

    TrellParent* m_parent = nullptr;
    ServerObjectPtr m_factory;
    ServerObjectPtr m_SyncVar, m_SyncFile, m_SyncEdit, m_SyncSelect, m_SyncIo, m_AsyncVar,
        m_AdviseMessage;
    std::string m_sConnectName;
    std::string m_sLastError;
    bool m_bConnected = false;
    KeyedCollection m_colSubscriptions;             // variable name -> subscription number
    std::vector<KeyedCollection> m_arrSubscription; // index = subscription number
    std::int32_t m_nSubscriptionCounter = 0;
    std::int16_t m_nC_Mode = 0;
};

} // namespace morvane
