#include "update/manifest.h"

#include <msxml2.h>

#include <algorithm>
#include <cctype>

#include "base/com_ptr.h"
#include "base/system_calls.h"
#include "update/update_state.h"

namespace veloria {

namespace {

// A network handle of a fetch, closed through its FetchCancel.
class TrackedHandle {
public:
    TrackedHandle(FetchCancel& cancel, HINTERNET handle) noexcept
        : cancel_(cancel), handle_(handle != nullptr && cancel.Adopt(handle) ? handle : nullptr) {}
    ~TrackedHandle() { cancel_.Close(handle_); }
    TrackedHandle(const TrackedHandle&) = delete;
    TrackedHandle& operator=(const TrackedHandle&) = delete;
    HINTERNET get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

private:
    FetchCancel& cancel_;
    HINTERNET handle_;
};

// The system's proxy: found automatically where Windows can (8.1 and
// later), else the one configured for WinHTTP.
HINTERNET OpenSession()
{
    constexpr DWORD kAutomaticProxy = 4;  // WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
    HINTERNET session =
        WinHttp().Open(L"Veloria", kAutomaticProxy, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    return session != nullptr ? session
                              : WinHttp().Open(L"Veloria", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                               WINHTTP_NO_PROXY_BYPASS, 0);
}

// MSXML 3's DOMDocument, the parser every Windows since 2000 carries.
constexpr CLSID kDomDocument = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// Nodes deeper than this are left out of the tree; the parser stops far
// earlier on any real document.
constexpr int kDeepestNode = 256;

class Deadline {
public:
    explicit Deadline(ULONGLONG end) : end_(end) {}
    int Left() const
    {
        const ULONGLONG now = ::GetTickCount64();
        return now >= end_ ? 0 : static_cast<int>(std::min<ULONGLONG>(end_ - now, 0x7FFFFFFF));
    }

private:
    ULONGLONG end_;
};

std::wstring Text(BSTR text)
{
    return text != nullptr ? std::wstring(text, TextLength(text)) : std::wstring();
}

void Convert(IXMLDOMNodeList* list, int depth, std::vector<XmlNode>& nodes)
{
    long count = 0;
    if (list == nullptr || depth > kDeepestNode || FAILED(list->get_length(&count))) {
        return;
    }
    for (long index = 0; index < count; ++index) {
        ComPtr<IXMLDOMNode> item;
        if (FAILED(list->get_item(index, item.put())) || !item) {
            continue;
        }
        XmlNode node;
        DOMNodeType type = NODE_INVALID;
        item->get_nodeType(&type);
        node.type = type == NODE_ELEMENT ? XmlNode::Type::Element
                    : type == NODE_TEXT  ? XmlNode::Type::Text
                                         : XmlNode::Type::Other;
        BSTR name = nullptr;
        if (SUCCEEDED(item->get_nodeName(&name))) {
            node.name = Text(name);
            FreeText(name);
        }
        Variant value;
        if (node.type == XmlNode::Type::Text && SUCCEEDED(item->get_nodeValue(value.get())) &&
            (*value).vt == VT_BSTR) {
            node.value = Text((*value).bstrVal);
        }
        ComPtr<IXMLDOMNodeList> children;
        if (SUCCEEDED(item->get_childNodes(children.put()))) {
            Convert(children.get(), depth + 1, node.children);
        }
        nodes.push_back(std::move(node));
    }
}

bool DeclaresDocumentType(const std::string& bytes)
{
    std::string upper(bytes);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return upper.find("<!DOCTYPE") != std::string::npos;
}

}  // namespace

ManifestValues& Manifest()
{
    return UpdateState::Current().manifest;
}

void FetchCancel::Cancel() noexcept
{
    const SlimLock::Held held(lock_);
    cancelled_ = true;
    // The newest first: a request before its connection before its session.
    for (auto handle = open_.rbegin(); handle != open_.rend(); ++handle) {
        WinHttp().CloseHandle(*handle);
    }
    open_.clear();
}

bool FetchCancel::Cancelled() const noexcept
{
    const SlimLock::Held held(lock_);
    return cancelled_;
}

bool FetchCancel::Adopt(void* handle) noexcept
{
    const SlimLock::Held held(lock_);
    if (cancelled_) {
        WinHttp().CloseHandle(handle);
        return false;
    }
    try {
        open_.push_back(handle);
    } catch (...) {
        WinHttp().CloseHandle(handle);
        return false;
    }
    return true;
}

void FetchCancel::Close(void* handle) noexcept
{
    const SlimLock::Held held(lock_);
    if (const auto found = std::find(open_.begin(), open_.end(), handle); found != open_.end()) {
        WinHttp().CloseHandle(handle);
        open_.erase(found);
    }
}

std::optional<std::string> FetchManifestBytes(const std::wstring& url, ULONGLONG end, FetchCancel& cancel)
{
    const Deadline deadline(end);
    std::wstring address = url;
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    const WinHttpCalls& http = WinHttp();
    if (!http.Loaded() || !http.CrackUrl(address.c_str(), 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
        return std::nullopt;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                              std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    const TrackedHandle session(cancel, OpenSession());
    if (!session) {
        return std::nullopt;
    }
    // Name resolution, connecting, sending and the answer's headers: each
    // may take only what is left of the deadline.
    const int left = deadline.Left();
    http.SetTimeouts(session.get(), left, left, left, left);
    const TrackedHandle connection(cancel, http.Connect(session.get(), host.c_str(), parts.nPort, 0));
    const TrackedHandle request(
        cancel, connection ? http.OpenRequest(connection.get(), L"GET", path.empty() ? L"/" : path.c_str(), nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                              parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0)
                           : nullptr);
    // The wait for the answer's headers has a bound of its own (90 s unless
    // set), which the timeouts above do not touch.
    DWORD headersWait = static_cast<DWORD>(deadline.Left());
    if (request) {
        http.SetOption(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headersWait, sizeof(headersWait));
    }
    DWORD status = 0;
    DWORD size = sizeof(status);
    // After a cancel the handles are closed (and their numbers may be
    // given out again): nothing more is asked of them.
    if (!request || !http.SendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, nullptr, 0, 0, 0) ||
        cancel.Cancelled() || !http.ReceiveResponse(request.get(), nullptr) || cancel.Cancelled() ||
        !http.QueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX) ||
        status != 200) {
        return std::nullopt;
    }
    // Each wait for more of the body may last only what is left of the
    // deadline, so a server that sends a byte now and then cannot hold the
    // check longer; and only what has come is read, so a cancel is seen as
    // soon as anything arrives, even where closing a handle does not end a
    // call that waits on it.
    std::string body;
    char buffer[8192];
    for (;;) {
        DWORD remaining = static_cast<DWORD>(deadline.Left());
        DWORD available = 0;
        DWORD read = 0;
        if (remaining == 0 || cancel.Cancelled() ||
            !http.SetOption(request.get(), WINHTTP_OPTION_RECEIVE_TIMEOUT, &remaining, sizeof(remaining)) ||
            !http.QueryDataAvailable(request.get(), &available) || cancel.Cancelled() ||
            !http.ReadData(request.get(), buffer, std::min<DWORD>(available, sizeof(buffer)), &read) ||
            cancel.Cancelled()) {
            return std::nullopt;
        }
        if (read == 0) {
            return body;
        }
        body.append(buffer, read);
        if (body.size() > kLargestManifest) {
            return std::nullopt;
        }
    }
}

std::optional<std::vector<XmlNode>> ParseManifest(const std::string& bytes)
{
    if (DeclaresDocumentType(bytes)) {
        return std::nullopt;
    }
    ComPtr<IXMLDOMDocument> document;
    ComPtr<IStream> stream;
    if (FAILED(::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                  document.put_void())) ||
        FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) {
        return std::nullopt;
    }
    document->put_async(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    VARIANT source{};
    source.vt = VT_UNKNOWN;
    source.punkVal = stream.get();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    ComPtr<IXMLDOMNodeList> children;
    if (FAILED(document->load(source, &loaded)) || loaded != VARIANT_TRUE ||
        FAILED(document->get_childNodes(children.put()))) {
        return std::nullopt;
    }
    std::vector<XmlNode> nodes;
    Convert(children.get(), 1, nodes);
    return nodes;
}

}  // namespace veloria
