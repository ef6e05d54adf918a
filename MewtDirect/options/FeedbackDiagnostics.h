#pragma once

#include <QString>
#include <optional>

namespace mewt {

// What travels with every note about the running app and system; read once per panel.
struct FeedbackDiagnostics {
    static constexpr int osVersionLimit = 64;

    QString appVersion;
    QString appBuild;
    QString osVersion;
    QString distribution;
    std::optional<QString> locale;

    friend bool operator==(const FeedbackDiagnostics&, const FeedbackDiagnostics&) = default;

    // From what the build says about itself (an empty value reads "unknown"), the system's
    // description and the locale's identifier.
    static FeedbackDiagnostics make(const QString& shortVersion, const QString& build, const QString& systemDescription,
        const QString& localeIdentifier);
    // This build on this machine.
    static FeedbackDiagnostics current();
    // The distribution's name with the kernel's release, as the host describes itself.
    static QString systemDescription(const QString& prettyName, const QString& kernelRelease);
};

} // namespace mewt
