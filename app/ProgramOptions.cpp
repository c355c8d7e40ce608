#include "app/ProgramOptions.h"

#include "app/Program.h"
#include "platform/ConfigLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

namespace
{

QString helpText(const QString& configFile)
{
    return QStringLiteral(
               "Pemakaian: vidarera [--help | --version]\n"
               "\n"
               "Vid Arera: cek stok KRT, SOKA dan KW, cetak stok dan item to buy, laporan\n"
               "penjualan dan piutang, daftar user online dan profil user.\n"
               "\n"
               "  --help     tampilkan bantuan ini lalu keluar\n"
               "  --version  tampilkan versi program lalu keluar\n"
               "\n"
               "Pengaturan: %1\n"
               "  Config.ini dipakai di folder program bila sudah ada di sana atau folder itu\n"
               "  dapat ditulisi; selain itu di folder pengaturan user, dibuat saat program\n"
               "  pertama kali ditutup. Bagian [Server] berisi alamat server LAN, HO dan\n"
               "  Fallback; bagian [Config] menyimpan tampilan cek stok.\n"
               "\n"
               "Cek stok dari baris perintah: vidarera-stock --help\n")
        .arg(QDir::toNativeSeparators(configFile));
}

} // namespace

std::optional<int> answerInfoOption(int argc, char** argv)
{
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        help = help || std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
        version = version || std::strcmp(argv[i], "--version") == 0;
    }
    if (!help && !version)
        return std::nullopt;
    QByteArray text;
    if (help) {
        // A core application only, for the program's folder and the user's; no display.
        QCoreApplication app(argc, argv);
        nameApplication();
        text =
            helpText(locateConfigFile(QCoreApplication::applicationDirPath(), userConfigFolder()))
                .toUtf8();
    } else {
        text = QByteArrayLiteral("Vid Arera " VID_VERSION "\n");
    }
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return 0;
}
