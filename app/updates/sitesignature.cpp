#include "updates/sitesignature.h"

#include "core/appfiles.h"

#include <sodium.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace SiteSignature {

namespace {
void ready()
{
    // Safe to call from any thread, any number of times; fails only without a random source.
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not be initialised");
}
} // namespace

std::optional<QByteArray> decodeLine(QByteArrayView text, int size)
{
    QByteArray line = text.toByteArray();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    line = line.trimmed();
    if (line.isEmpty() || line.contains('\n') || line.contains('\r'))
        return std::nullopt;
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(line, QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != size)
        return std::nullopt;
    return decoded.decoded;
}

QByteArray encodeLine(const QByteArray &bytes)
{
    return bytes.toBase64() + '\n';
}

std::optional<QByteArray> readKeyFile(const QString &path, int size)
{
    const AppFiles::ReadResult read = AppFiles::readFile(path, 4096);
    return read.ok() ? decodeLine(read.bytes, size) : std::nullopt;
}

bool verify(QByteArrayView message, const QByteArray &signature, const QList<QByteArray> &publicKeys)
{
    ready();
    if (signature.size() != kSignatureBytes)
        return false;
    for (const QByteArray &key : publicKeys) {
        if (key.size() != kPublicKeyBytes)
            continue;
        if (crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.constData()),
                                        reinterpret_cast<const unsigned char *>(message.data()),
                                        size_t(message.size()),
                                        reinterpret_cast<const unsigned char *>(key.constData())) == 0)
            return true;
    }
    return false;
}

KeyPair generate()
{
    ready();
    KeyPair pair;
    pair.publicKey.resize(kPublicKeyBytes);
    pair.secretKey.resize(kSecretKeyBytes);
    crypto_sign_keypair(reinterpret_cast<unsigned char *>(pair.publicKey.data()),
                        reinterpret_cast<unsigned char *>(pair.secretKey.data()));
    return pair;
}

QByteArray sign(QByteArrayView message, const QByteArray &secretKey)
{
    ready();
    if (secretKey.size() != kSecretKeyBytes)
        return {};
    QByteArray signature(kSignatureBytes, '\0');
    crypto_sign_detached(reinterpret_cast<unsigned char *>(signature.data()), nullptr,
                         reinterpret_cast<const unsigned char *>(message.data()), size_t(message.size()),
                         reinterpret_cast<const unsigned char *>(secretKey.constData()));
    return signature;
}

QList<QByteArray> builtInKeys()
{
    QList<QByteArray> keys;
    const QByteArray listed = QByteArrayLiteral(ZEMVARA_UPDATE_KEYS);
    for (const QByteArray &text : listed.split(';')) {
        if (const std::optional<QByteArray> key = decodeLine(text, kPublicKeyBytes))
            keys.append(*key);
    }
    return keys;
}

QList<QByteArray> trustedKeys()
{
    QList<QByteArray> keys = builtInKeys();
    if (const std::optional<QByteArray> extra = decodeLine(qgetenv("ZEMVARA_UPDATE_KEY"), kPublicKeyBytes))
        keys.append(*extra);
    return keys;
}

} // namespace SiteSignature
