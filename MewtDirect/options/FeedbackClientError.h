#pragma once

#include <QString>
#include <optional>

namespace mewt {

// Why a note was not taken. `detail` is the server's message for `server` (absent when it sent
// none) and one of the fixed forms for `unexpected` ("bad feedback url", "response too large",
// "missing http response", "status N", "status N, non-json", "status N, decode failed").
struct FeedbackClientError {
    enum class Kind { server, unexpected, transport, rateLimited, invalidRequest };

    Kind kind = Kind::transport;
    QString code;
    std::optional<QString> detail;

    static FeedbackClientError server(QString code, std::optional<QString> detail)
    {
        return { Kind::server, std::move(code), std::move(detail) };
    }
    static FeedbackClientError unexpected(QString detail) { return { Kind::unexpected, {}, std::move(detail) }; }
    static FeedbackClientError transport() { return { Kind::transport, {}, std::nullopt }; }
    static FeedbackClientError rateLimited() { return { Kind::rateLimited, {}, std::nullopt }; }
    static FeedbackClientError invalidRequest() { return { Kind::invalidRequest, {}, std::nullopt }; }

    friend bool operator==(const FeedbackClientError&, const FeedbackClientError&) = default;

    // The lower-case sentence the form shows. `serviceHost` is written without "www.". What the
    // server chose to say is cut to serverTextLimit characters, so it cannot crowd out the form.
    QString userMessage(const QString& serviceHost) const;
    // For the log: the case and its payload, as a developer reads it (server text as loggedServerText).
    QString description() const;

    static constexpr int serverTextLimit = 300;
};

// Whether the build names a feedback service: a host in the reserved ".invalid" domain (the
// default build's) never resolves, so it names none.
bool hasFeedbackService(const QString& serviceHost);

// Server text as the log takes it: cut to FeedbackClientError::serverTextLimit characters, then
// every control character written as an escape (\x1b, \u202e), so a server cannot ring, recolour
// or forge a line in the log.
QString loggedServerText(const QString& text);

} // namespace mewt
