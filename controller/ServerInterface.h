// The object model of the controller's communication server as the tool sees it: objects made
// by a factory, numbered methods with variant arguments, error records and callback interfaces.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace morvane {

using ByteArray = std::vector<unsigned char>;
using TextArray = std::vector<std::string>;

// The error and message record a server fills, fields in the server's order.
struct MessageRecord {
    std::int32_t nLowTimeStamp = 0;
    std::int32_t nHighTimeStamp = 0;
    std::int32_t nBiasTimeStamp = 0;
    std::int32_t eMessageType = 0;
    std::int32_t nMessage = 0;
    std::int32_t nMessageHandle = 0;
    std::string bstrDBModule;
    std::string bstrCause;
    bool bDBCause = false;
    std::string bstrDBMessage;
    TextArray varParams;
    TextArray varDBParams;
};

// Callbacks the server calls on its client.
class ITQCallbackVar {
public:
    virtual ~ITQCallbackVar() = default;
    virtual void OnSetInfo(std::int32_t nID, const std::string& bstrVal) = 0;
    virtual void OnSetMultiVar(std::int32_t nID) = 0;
    virtual void OnSetVar(std::int32_t nID) = 0;
    virtual void OnShowMultiVar(std::int32_t nID, const TextArray& varVals) = 0;
    virtual void OnShowVar(std::int32_t nID, const std::string& bstrVal) = 0;
};

class IQCallbackError {
public:
    virtual ~IQCallbackError() = default;
    virtual void OnDialog(std::int32_t nID, const MessageRecord& pDialogData) = 0;
    virtual void OnError(std::int32_t nID, const MessageRecord& pErrorData) = 0;
};

class ITQConsumeMessage {
public:
    virtual ~ITQConsumeMessage() = default;
    virtual void OnAddMessage(const MessageRecord& pMessage) = 0;
    virtual void OnAddDialog(const MessageRecord& pDialogData) = 0;
    virtual void OnSubMessage(std::int32_t nMessageHandle) = 0;
};

class ServerObject;
using ServerObjectPtr = std::shared_ptr<ServerObject>;

// One argument or result of a server method.
using ServerValue = std::variant<std::monostate, std::int32_t, bool, std::string, ByteArray,
                                 TextArray, ServerObjectPtr, ITQCallbackVar*, IQCallbackError*,
                                 ITQConsumeMessage*, MessageRecord>;

// The interfaces an object offers besides its main one.
inline constexpr std::string_view kErrorInterface = "Error";     // method 1: last error record
inline constexpr std::string_view kConfirmInterface = "Confirm"; // method 2: confirm all

// A server object. Methods are numbered in the order the interface declares them (1 = first);
// the outputs of a method come back in vResult. A false return is the server's failure report;
// the object's error interface then yields the record that describes it.
class ServerObject {
public:
    virtual ~ServerObject() = default;
    virtual bool Invoke(int nMethod, const std::vector<ServerValue>& args,
                        ServerValue& vResult) = 0;
    // Another interface of the same object, or nullptr when it has none of that name.
    virtual ServerObject* QueryInterface(std::string_view sInterface) = 0;
};

// The ProgIDs of the objects the factory's method 1 creates.
inline constexpr std::string_view kProgIdSyncVar = "PLV_BnxLib.SyncVar";
inline constexpr std::string_view kProgIdSyncFile = "PLV_BnxLib.SyncFile";
inline constexpr std::string_view kProgIdSyncEdit = "PLV_BnxLib.SyncEdit";
inline constexpr std::string_view kProgIdSyncSelect = "PLV_BnxLib.SyncSelect";
inline constexpr std::string_view kProgIdSyncIo = "PLV_BnxLib.SyncIo";
inline constexpr std::string_view kProgIdAsyncVar = "PLV_BnxLib.AsyncVar";
inline constexpr std::string_view kProgIdAdviseMessage = "PLV_BnxLib.AdviseMessage";

// Where the top-level object comes from: the simulated controller installs its provider, a
// networked agent would install another. nullptr = the server cannot be reached.
using ServerProvider = std::function<ServerObjectPtr()>;
void SetServerProvider(ServerProvider provider);
ServerObjectPtr CreateServerFactory();

} // namespace morvane
