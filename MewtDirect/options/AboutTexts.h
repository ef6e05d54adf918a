#pragma once

#include <QString>
#include <optional>

namespace mewt {

// What the application says about itself on the general page. An empty field counts as missing,
// and a missing field leaves out only its own line.
struct AboutTexts {
    QString displayName;
    QString name;
    QString shortVersion;
    QString build;
    QString copyright;

    static AboutTexts current(); // from the build's AppInfo

    // The display name, else the name.
    std::optional<QString> nameLine() const;
    // "version 1.4 (27)"; "version 1.4" without a build; none without a short version.
    std::optional<QString> versionLine() const;
    std::optional<QString> copyrightLine() const;
};

} // namespace mewt
