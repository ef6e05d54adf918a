#include "options/FeedbackClientError.h"

#include "options/GraphemeText.h"

#include <QCoreApplication>

namespace mewt {

QString FeedbackClientError::userMessage(const QString& serviceHost) const
{
    const QString shownDetail = detail ? truncatedToGraphemes(*detail, serverTextLimit, true) : QString();
    switch (kind) {
    case Kind::rateLimited: return QStringLiteral("too many notes for now. try again a little later.");
    case Kind::invalidRequest: return QStringLiteral("check your note and optional email, then try again.");
    case Kind::transport:
        // Blaming the connection would send the user looking for a fault that is not there.
        if (!hasFeedbackService(serviceHost))
            return QCoreApplication::translate("mewt", "this build has no feedback service, so notes go nowhere.");
        return QStringLiteral("couldn't reach %1. check your connection.").arg(serviceHost);
    case Kind::server: {
        const QString shownCode = truncatedToGraphemes(code, serverTextLimit, true);
        if (shownDetail.isEmpty())
            return QStringLiteral("%1 couldn't take feedback right now (%2). try again shortly.")
                .arg(serviceHost, shownCode);
        return QStringLiteral("%1 couldn't take feedback (%2: %3).").arg(serviceHost, shownCode, shownDetail);
    }
    case Kind::unexpected:
        return QStringLiteral("%1 returned an unexpected response. %2").arg(serviceHost, shownDetail);
    }
    return QStringLiteral("couldn't send feedback. try again in a moment.");
}

QString FeedbackClientError::description() const
{
    switch (kind) {
    case Kind::server:
        return QStringLiteral("server(code: %1, detail: %2)")
            .arg(loggedServerText(code), detail ? loggedServerText(*detail) : QStringLiteral("nil"));
    case Kind::unexpected: return QStringLiteral("unexpected(%1)").arg(loggedServerText(detail.value_or(QString())));
    case Kind::transport: return QStringLiteral("transport");
    case Kind::rateLimited: return QStringLiteral("rateLimited");
    case Kind::invalidRequest: return QStringLiteral("invalidRequest");
    }
    return {};
}

bool hasFeedbackService(const QString& serviceHost)
{
    return serviceHost != u"invalid" && !serviceHost.endsWith(u".invalid");
}

QString loggedServerText(const QString& text)
{
    const QString cut = truncatedToGraphemes(text, FeedbackClientError::serverTextLimit, true);
    QString logged;
    logged.reserve(cut.size());
    for (const QChar c : cut) {
        const char16_t unit = c.unicode();
        const bool direction = (unit >= 0x202A && unit <= 0x202E) || (unit >= 0x2066 && unit <= 0x2069)
            || unit == 0x200E || unit == 0x200F || unit == 0x061C;
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
            || c.category() == QChar::Separator_Paragraph || direction)
            logged += unit < 0x100 ? QStringLiteral("\\x%1").arg(unit, 2, 16, QLatin1Char('0'))
                                   : QStringLiteral("\\u%1").arg(unit, 4, 16, QLatin1Char('0'));
        else
            logged += c;
    }
    return logged;
}

} // namespace mewt
