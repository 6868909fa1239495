#pragma once

#include <QByteArray>
#include <QString>

namespace app {

// The hardware address text of the login log: a zero byte gives "00", any other byte its
// hexadecimal value in capitals without a leading zero, joined by "-" (00-1B-0A-00-5E-01 gives
// 00-1B-A-00-5E-1).
QString macText(const QByteArray &bytes);

// GetMacAddress: the hardware address answering to the IPv4 text, through the network
// identity seam. False (mac untouched) when there is none, or when its first four bytes are
// all zero.
bool GetMacAddress(const QString &ipv4, QString *mac);

// The MAC text written to the login log for a local IPv4 text: empty for an empty address,
// "(SendARP call failed)" when GetMacAddress fails.
QString macTextForLog(const QString &ipv4);

} // namespace app
