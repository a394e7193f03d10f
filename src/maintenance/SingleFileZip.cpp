#include "maintenance/SingleFileZip.h"

#include "core/Failure.h"
#include "core/ResStrings.h"
#include "maintenance/MaintenanceTexts.h"

#include <QDir>
#include <QFile>
#include <memory>
#include <zip.h>

namespace {

QString ZipError(zip_error_t* error) { return QString::fromLocal8Bit(zip_error_strerror(error)); }

QString ZipError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = ZipError(&error);
    zip_error_fini(&error);
    return text;
}

struct TArchiveDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using TArchive = std::unique_ptr<zip_t, TArchiveDiscard>;

struct TEntryClose {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

// What the archive library's progress and cancel callbacks share while an archive is written.
struct TZipWatch {
    const std::function<bool(double)>& going;
    bool go = true;
};

void ZipProgress(zip_t*, double done, void* watch)
{
    auto* w = static_cast<TZipWatch*>(watch);
    w->go = w->going(done);
}

int ZipCancel(zip_t*, void* watch) { return static_cast<TZipWatch*>(watch)->go ? 0 : 1; }

}  // namespace

bool ZipOneFile(const QString& source, const QString& nameInArchive, const QString& archive, QString* why,
                const std::function<bool(double done)>& going)
{
    const auto fail = [&](const QString& reason) {
        QFile::remove(archive);
        return Fail(why, LoadResStr(TxtMaintenanceCannotCompress).arg(QDir::toNativeSeparators(source), reason));
    };
    int code = 0;
    TArchive za(zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!za)
        return fail(ZipError(code));
    zip_source_t* content = zip_source_file(za.get(), QFile::encodeName(source).constData(), 0, 0);
    if (!content)
        return fail(ZipError(zip_get_error(za.get())));
    if (zip_file_add(za.get(), nameInArchive.toUtf8().constData(), content, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(content);
        return fail(ZipError(zip_get_error(za.get())));
    }
    TZipWatch watch{going};
    if (going) {
        zip_register_progress_callback_with_state(za.get(), 0.01, ZipProgress, nullptr, &watch);
        zip_register_cancel_callback_with_state(za.get(), ZipCancel, nullptr, &watch);
    }
    // zip_close writes the archive and frees it on success only.
    if (zip_close(za.get()) != 0)
        return fail(ZipError(zip_get_error(za.get())));
    za.release();
    return true;
}

bool UnzipOneFile(const QString& path, qint64 offset, qint64 length, const QString& name, QFileDevice& out,
                  QString* why)
{
    const auto fail = [&](const QString& reason) {
        return Fail(why, LoadResStr(TxtMaintenanceCannotUncompress).arg(name, reason));
    };
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* region = zip_source_file_create(QFile::encodeName(path).constData(),
                                                  static_cast<zip_uint64_t>(offset), length, &error);
    if (!region) {
        const QString reason = ZipError(&error);
        zip_error_fini(&error);
        return fail(reason);
    }
    TArchive za(zip_open_from_source(region, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!za) {
        zip_source_free(region);
        const QString reason = ZipError(&error);
        zip_error_fini(&error);
        return fail(reason);
    }
    zip_error_fini(&error);
    const zip_int64_t index = zip_name_locate(za.get(), name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return fail(QStringLiteral("the archive holds no %1").arg(name));
    std::unique_ptr<zip_file_t, TEntryClose> entry(zip_fopen_index(za.get(), static_cast<zip_uint64_t>(index), 0));
    if (!entry)
        return fail(ZipError(zip_get_error(za.get())));
    char chunk[4096];
    zip_int64_t n = 0;
    // The entry's checksum is verified as its last bytes are read.
    while ((n = zip_fread(entry.get(), chunk, sizeof chunk)) > 0) {
        if (out.write(chunk, n) != n)
            return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(QDir::toNativeSeparators(out.fileName()), out.errorString()));
    }
    if (n < 0)
        return fail(ZipError(zip_file_get_error(entry.get())));
    return true;
}
