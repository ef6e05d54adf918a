#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace mewt {

// One note as the feedback service receives it. `osVersion` travels as "macos_version": the
// member keeps the service's name.
struct FeedbackSubmissionRequest {
    enum class Category { bug, idea, other };
    static constexpr std::array<Category, 3> allCategories { Category::bug, Category::idea, Category::other };
    static QString rawValue(Category category);
    static std::optional<Category> categoryFromRawValue(const QString& raw);

    QString message;
    std::optional<QString> category;
    std::optional<QString> contactEmail;
    QString appVersion;
    QString appBuild;
    QString osVersion;
    QString distribution;
    std::optional<QString> locale;

    friend bool operator==(const FeedbackSubmissionRequest&, const FeedbackSubmissionRequest&) = default;

    // A compact JSON object whose members come in the service's order; absent members are left
    // out, never written as null.
    QByteArray toJson() const;
};

} // namespace mewt
