#include "options/FeedbackSubmissionRequest.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace mewt {

namespace {

// QJsonObject sorts its keys, so members are written one by one; QJsonDocument does the escaping.
QByteArray jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

QString FeedbackSubmissionRequest::rawValue(Category category)
{
    switch (category) {
    case Category::bug: return QStringLiteral("bug");
    case Category::idea: return QStringLiteral("idea");
    case Category::other: return QStringLiteral("other");
    }
    return {};
}

std::optional<FeedbackSubmissionRequest::Category> FeedbackSubmissionRequest::categoryFromRawValue(const QString& raw)
{
    for (const Category category : allCategories) {
        if (rawValue(category) == raw)
            return category;
    }
    return std::nullopt;
}

QByteArray FeedbackSubmissionRequest::toJson() const
{
    QByteArray json = "{";
    const auto member = [&json](const char* key, const QString& value) {
        if (json.size() > 1)
            json += ',';
        json += '"';
        json += key;
        json += "\":";
        json += jsonString(value);
    };
    member("message", message);
    if (category)
        member("category", *category);
    if (contactEmail)
        member("contact_email", *contactEmail);
    member("app_version", appVersion);
    member("app_build", appBuild);
    member("macos_version", osVersion);
    member("distribution", distribution);
    if (locale)
        member("locale", *locale);
    json += '}';
    return json;
}

} // namespace mewt
