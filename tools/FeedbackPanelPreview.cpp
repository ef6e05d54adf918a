// Opens the feedback panel against a stand-in service, to look at it by hand under Xvfb:
//   feedback_panel_preview https://localhost:8443/api/v1 ca.pem [dark]
// Only for developers: it is built with the tests and never installed.
#include "options/FeedbackWindowController.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: feedback_panel_preview API_BASE CA_PEM [dark]\n", stderr);
        return 2;
    }
    QFile authority(arguments[2]);
    if (!authority.open(QIODevice::ReadOnly)) {
        std::fputs("feedback_panel_preview: the CA file can't be read\n", stderr);
        return 2;
    }
    mewt::FeedbackClientOptions options;
    options.endpoint = { QStringLiteral("localhost"), arguments[1] };
    options.additionalTrustedCAs = QSslCertificate::fromData(authority.readAll());
    options.proxy = QNetworkProxy(QNetworkProxy::NoProxy);
    mewt::FeedbackWindowController controller(options);
    controller.setColorScheme(arguments.value(3) == u"dark" ? mewt::ColorScheme::dark : mewt::ColorScheme::light);
    controller.showFeedbackWindow();
    return QApplication::exec();
}
