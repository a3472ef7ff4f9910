#include "winmsg/MSubclass.h"

#include <algorithm>

namespace dorvane {
namespace {

const char* DescriptionOf(InterceptionError::Code code)
{
    switch (code) {
    case InterceptionError::CantSubclass: return "Can't subclass window";
    case InterceptionError::AlreadyHandled: return "Message already handled by another class";
    case InterceptionError::InvalidWindow: return "Invalid window";
    case InterceptionError::ExternalWindow: return "Can't modify external window";
    }
    return "";
}

} // namespace

MSubclass::MSubclass(WindowMessageHooks& hooks, std::string programName)
    : hooks_(hooks), programName_(std::move(programName))
{
}

MSubclass::~MSubclass()
{
    for (const auto& [hWnd, window] : windows_)
        hooks_.RemoveHook(hWnd);
}

InterceptionError MSubclass::Refusal(InterceptionError::Code code) const
{
    return {code, programName_ + ".WindowProc", DescriptionOf(code)};
}

std::optional<InterceptionError> MSubclass::InterceptMessage(ISubclass& client, WindowHandle hWnd, uint32_t iMsg)
{
    if (!hooks_.IsWindow(hWnd))
        return Refusal(InterceptionError::InvalidWindow);
    if (!hooks_.BelongsToThisProcess(hWnd))
        return Refusal(InterceptionError::ExternalWindow);
    // A refused duplicate must leave the counts as they were, or the window would never be given
    // its messages back: so it is refused before anything is counted.
    if (const auto* clients = ClientsOf(hWnd, iMsg); clients && std::ranges::find(*clients, &client) != clients->end())
        return Refusal(InterceptionError::AlreadyHandled);

    if (!windows_.contains(hWnd)) {
        const bool hooked = hooks_.InstallHook(hWnd, [this](const WindowMessage& message) { return Dispatch(message); });
        if (!hooked)
            return Refusal(InterceptionError::CantSubclass);
    }
    InterceptedWindow& window = windows_[hWnd];
    ++window.interceptions;
    window.clients[iMsg].push_back(&client);
    return std::nullopt;
}

bool MSubclass::ReleaseMessage(ISubclass& client, WindowHandle hWnd, uint32_t iMsg)
{
    const auto window = windows_.find(hWnd);
    if (window == windows_.end())
        return false;
    const auto clients = window->second.clients.find(iMsg);
    if (clients == window->second.clients.end())
        return false;
    const auto found = std::ranges::find(clients->second, &client);
    if (found == clients->second.end())
        return false;

    clients->second.erase(found);
    if (clients->second.empty())
        window->second.clients.erase(clients);
    if (--window->second.interceptions == 0) {
        windows_.erase(window);
        hooks_.RemoveHook(hWnd);
    }
    return true;
}

const std::vector<ISubclass*>* MSubclass::ClientsOf(WindowHandle hWnd, uint32_t iMsg) const
{
    const auto window = windows_.find(hWnd);
    if (window == windows_.end())
        return nullptr;
    const auto clients = window->second.clients.find(iMsg);
    return clients == window->second.clients.end() ? nullptr : &clients->second;
}

ISubclass* MSubclass::ClientAt(WindowHandle hWnd, uint32_t iMsg, std::size_t index) const
{
    const auto* clients = ClientsOf(hWnd, iMsg);
    return clients && index < clients->size() ? (*clients)[index] : nullptr;
}

// Clients may attach or release while a message is being dispatched (a client's WindowProc can let
// other messages run), so the client list is looked up afresh at every step: a released client is
// never called, and the own handling runs after the client that is last when it returns.
int32_t MSubclass::Dispatch(const WindowMessage& message)
{
    const WindowHandle hWnd = message.window;
    const uint32_t iMsg = message.message;
    if (!ClientAt(hWnd, iMsg, 0))
        return hooks_.CallOwnHandling(message);

    int32_t result = 0;
    bool ownCalled = false;
    for (std::size_t k = 0; ISubclass* client = ClientAt(hWnd, iMsg, k); ++k) {
        if (k == 0 && client->MsgResponse() == PassBefore) {
            result = hooks_.CallOwnHandling(message);
            ownCalled = true;
            if (!(client = ClientAt(hWnd, iMsg, k)))
                break;
        }
        result = client->WindowProc(hWnd, iMsg, message.wParam, message.lParam);
        const auto* clients = ClientsOf(hWnd, iMsg);
        const bool stillLast = clients && k + 1 == clients->size() && (*clients)[k] == client;
        if (stillLast && !ownCalled && client->MsgResponse() == PassAfter) {
            result = hooks_.CallOwnHandling(message);
            ownCalled = true;
        }
    }
    return result;
}

} // namespace dorvane
