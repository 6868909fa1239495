#pragma once

#include <QSqlDatabase>
#include <QString>

// The two connections of the program: the login connection (login window only) and the
// session connection (everything after the login).
namespace db {

constexpr int StateOpen = 0;
constexpr int StateNotConnected = 1;

inline const QString kConnectionMessage = QStringLiteral(
    "Ada kesalahan dengan koneksi ke server, periksa apakah jaringan/server sudah berjalan "
    "dengan baik!");

// Driver timeouts, whole seconds. A user action against a hung server gives up within 15 s;
// the read timeout stays above the longest wait the server itself is asked for (a transfer
// waits up to 10 s for its account's lock), so such a wait ends with the server's answer.
constexpr int kConnectTimeoutSeconds = 4;
constexpr int kReadTimeoutSeconds = 13;

// Server address and port text the next open uses.
void setServer(const QString &address, const QString &portText);
QString serverAddress();
QString serverPortText();
// For profile codes "1" to "5" decodes that profile's address and port into the connection
// parameters and returns true; any other code leaves them unchanged.
bool useProfile(const QString &code);

// Open a new connection object (replacing the previous one). Never throw: a failure shows the
// connection message and leaves the state at StateNotConnected.
void OpenLoginConnection();
void OpenSessionConnection();

int loginState();
int sessionState();

QSqlDatabase loginConnection();
QSqlDatabase sessionConnection();

void closeLoginConnection();
void closeSessionConnection();

// The decoded database name of the last open (status bar panel 1).
QString databaseName();

// Opens a further connection under the given name with the current parameters, without
// any message; StateOpen when it worked. Used for a second, independent session.
int openNamedConnection(const QString &name);

} // namespace db
