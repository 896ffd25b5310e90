#include "report/escposlink.h"

#include "report/escposdevicelink.h"
#include "report/escpostcplink.h"
#include "report/reporterror.h"
#include "report/ticketproject.h"

#include <QDir>
#include <QUrl>

namespace {
ReportError malformed(const QString &printerText)
{
    return ReportError(QStringLiteral("La stampante dei biglietti «%1» non è indicata "
                                      "correttamente: si scrive escpos:tcp://INDIRIZZO[:PORTA] "
                                      "oppure escpos:/dev/...")
                           .arg(printerText));
}

ReportError unreachable(const QString &printerText, const QString &detail)
{
    return ReportError(QStringLiteral("Stampante non raggiungibile (%1).").arg(printerText),
                       detail);
}
} // namespace

std::unique_ptr<EscPosLink> EscPosLink::open(const QString &printerText, int timeoutMs)
{
    const QString prefix = TicketProject::escPosPrefix();
    const QString address =
        printerText.startsWith(prefix) ? printerText.mid(prefix.size()).trimmed() : QString();
    if (address.startsWith(QStringLiteral("tcp://"))) {
        const QUrl url(address, QUrl::StrictMode);
        const int port = url.port(DefaultPort);
        if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty()
            || !(url.path().isEmpty() || url.path() == u"/") || url.hasQuery() || url.hasFragment()
            || port <= 0)
            throw malformed(printerText);
        auto link = std::make_unique<EscPosTcpLink>(url.host(), quint16(port), timeoutMs);
        if (!link->connected())
            throw unreachable(printerText, link->errorString());
        return link;
    }
#ifdef Q_OS_UNIX
    if (QDir::isAbsolutePath(address)) {
        auto link = std::make_unique<EscPosDeviceLink>(address, timeoutMs);
        if (!link->opened())
            throw unreachable(printerText, link->errorString());
        return link;
    }
#endif
    throw malformed(printerText);
}
