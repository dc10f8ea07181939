#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// Ed25519 signatures of update-site manifests. Keys and signatures travel as one line of base64.
namespace SiteSignature {

constexpr int kPublicKeyBytes = 32;
constexpr int kSecretKeyBytes = 64;
constexpr int kSignatureBytes = 64;

// The bytes of a one-line base64 text (a line end after it allowed) of exactly `size` bytes;
// nothing for anything else.
std::optional<QByteArray> decodeLine(QByteArrayView text, int size);
QByteArray encodeLine(const QByteArray &bytes);
// The key of a key file (one line of base64) of `size` bytes; nothing for an unreadable file or
// anything else in it.
std::optional<QByteArray> readKeyFile(const QString &path, int size);

// Whether `signature` (64 bytes) signs `message` under one of the public keys.
bool verify(QByteArrayView message, const QByteArray &signature, const QList<QByteArray> &publicKeys);

struct KeyPair
{
    QByteArray publicKey;  // 32 bytes
    QByteArray secretKey;  // 64 bytes
};
KeyPair generate();
// The signature of message under a 64-byte secret key; empty for a key of another size.
QByteArray sign(QByteArrayView message, const QByteArray &secretKey);

// The project's public keys, compiled into the program.
QList<QByteArray> builtInKeys();
// The built-in keys, and the key of ZEMVARA_UPDATE_KEY when it holds one.
QList<QByteArray> trustedKeys();

} // namespace SiteSignature
