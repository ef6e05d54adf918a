#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets an environment variable for one scope, then puts back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name(name)
        , previous(qgetenv(name))
        , had(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (had)
            qputenv(name, previous);
        else
            qunsetenv(name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name;
    QByteArray previous;
    bool had;
};
