#pragma once
// Points XDG_CONFIG_HOME at a temporary directory for the life of the object, so that auto-run entries
// written by a test never reach the user's own session.
#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

class ScopedConfigHome {
public:
    ScopedConfigHome() : hadOld_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), old_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    }
    ~ScopedConfigHome()
    {
        if (hadOld_)
            qputenv("XDG_CONFIG_HOME", old_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

    bool IsValid() const { return dir_.isValid(); }
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool hadOld_;
    QByteArray old_;
};
