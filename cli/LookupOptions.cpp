#include "cli/LookupOptions.h"

#include "data/ConnectionSet.h"

#include <QHash>
#include <QRegularExpression>

namespace
{

// Options that take a value, with the values they allow (empty: any text).
const QHash<QString, QStringList>& valueOptions()
{
    static const QHash<QString, QStringList> options{
        {QStringLiteral("desc"), {}},
        {QStringLiteral("code"), {}},
        {QStringLiteral("type"), {}},
        {QStringLiteral("source"), {"krt", "all", "old"}},
        {QStringLiteral("code-class"), {"0", "1", "2"}},
        {QStringLiteral("sort"), {"desc", "code"}},
        {QStringLiteral("nik"), {}},
        {QStringLiteral("format"), {"table", "csv", "json"}},
        {QStringLiteral("server"), {}},
    };
    return options;
}

QString applyValue(const QString& name, const QString& value, LookupOptions* o)
{
    if (name == QLatin1String("desc") || name == QLatin1String("code") ||
        name == QLatin1String("type")) {
        o->field = name == QLatin1String("desc")   ? SearchField::Description
                   : name == QLatin1String("code") ? SearchField::Code
                                                   : SearchField::Type;
        o->text = value;
    } else if (name == QLatin1String("source")) {
        o->source = value == QLatin1String("krt")   ? StockSource::KrtOnly
                    : value == QLatin1String("old") ? StockSource::OldStock
                                                    : StockSource::AllCompanies;
    } else if (name == QLatin1String("code-class")) {
        o->codeClass = codeClassForEntry(value.toInt());
    } else if (name == QLatin1String("sort")) {
        o->sortBy =
            value == QLatin1String("code") ? QString(kSortByCode) : QString(kSortByDescription);
    } else if (name == QLatin1String("nik")) {
        o->nik = value;
    } else if (name == QLatin1String("format")) {
        o->format = value == QLatin1String("csv")    ? OutputFormat::Csv
                    : value == QLatin1String("json") ? OutputFormat::Json
                                                     : OutputFormat::Table;
    } else if (name == QLatin1String("server")) {
        static const QRegularExpression form(QStringLiteral("^([^/\\s]+)(?:/(\\d{1,5}))?$"));
        const QRegularExpressionMatch m = form.match(value);
        const int port =
            m.captured(2).isEmpty() ? ConnectionSet::kRemotePort : m.captured(2).toInt();
        if (!m.hasMatch() || port < 1 || port > 65535)
            return QStringLiteral("--server menerima HOST atau HOST/PORT, bukan \"%1\"").arg(value);
        o->server = m.captured(1);
        o->serverPort = port;
    }
    return {};
}

} // namespace

QString parseLookupOptions(const QStringList& arguments, LookupOptions* options)
{
    LookupOptions o;
    QStringList seen;
    int filters = 0;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString arg = arguments[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            o.help = true;
            continue;
        }
        if (arg == QLatin1String("--version")) {
            o.version = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--")))
            return QStringLiteral("argumen tidak dikenal: \"%1\"").arg(arg);
        QString name = arg.mid(2);
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            hasValue = true;
        }
        if (!valueOptions().contains(name))
            return QStringLiteral("opsi tidak dikenal: --%1").arg(name);
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("--%1 memerlukan nilai").arg(name);
            value = arguments[++i];
        }
        if (seen.contains(name))
            return QStringLiteral("--%1 diberikan lebih dari sekali").arg(name);
        seen << name;
        const QStringList allowed = valueOptions().value(name);
        if (!allowed.isEmpty() && !allowed.contains(value))
            return QStringLiteral("--%1 menerima %2, bukan \"%3\"")
                .arg(name, allowed.join(QLatin1Char('|')), value);
        if (name == QLatin1String("desc") || name == QLatin1String("code") ||
            name == QLatin1String("type"))
            ++filters;
        if (const QString error = applyValue(name, value, &o); !error.isEmpty())
            return error;
    }
    if (!o.help && !o.version) {
        if (filters != 1)
            return QStringLiteral("berikan tepat satu dari --desc, --code, --type");
        if (o.field == SearchField::Type && o.source != StockSource::OldStock)
            return QStringLiteral("--type hanya untuk --source old");
        if (!searchAccepted(o.field, o.source, o.text))
            return QStringLiteral("teks pencarian minimal %1 karakter untuk sumber ini")
                .arg(kMinSearchLength);
    }
    *options = o;
    return {};
}

QString lookupUsage()
{
    return QStringLiteral(
        "Pemakaian: vidarera-stock (--desc TEKS | --code TEKS | --type TEKS)\n"
        "                          [--source krt|all|old] [--code-class 0|1|2]\n"
        "                          [--sort desc|code] [--nik NIK]\n"
        "                          [--format table|csv|json] [--server HOST[/PORT]]\n"
        "\n"
        "Cek stok seperti jendela Vid Arera, hasilnya ke keluaran standar.\n"
        "\n"
        "  --desc TEKS        cari di deskripsi barang\n"
        "  --code TEKS        cari di kode barang\n"
        "  --type TEKS        cari di tipe barang (hanya --source old)\n"
        "  --source           krt: KRT saja; all: KRT, SOKA, KW (bawaan); old: OLD STOCK\n"
        "  --code-class       0: kode 3,5,7,9 (bawaan); 1: semua kode; 2: kode 1 saja\n"
        "  --sort             desc: urut deskripsi (bawaan); code: urut kode\n"
        "  --nik NIK          kolom Harga Beli dan HPP bila NIK ini berhak melihat harga\n"
        "  --format           table (bawaan), csv atau json; teks UTF-8, angka tanpa\n"
        "                     pemisah ribuan\n"
        "  --server HOST[/PORT]\n"
        "                     server database ini (port bawaan 3015) dan bukan server\n"
        "                     pilihan dari Config.ini\n"
        "  --help, --version\n"
        "\n"
        "Teks pencarian minimal 3 karakter, kecuali --desc/--code dengan --source krt\n"
        "dan --type dengan --source old. Server, batas waktu koneksi dan set karakter\n"
        "dibaca dari bagian [Server] Config.ini yang sama dengan program Vid Arera.\n"
        "\n"
        "Status keluar: 0 ada baris, 1 tidak ada baris, 2 pemakaian salah atau NIK tidak\n"
        "dikenal, 3 kesalahan database (pesannya di keluaran galat).\n");
}
