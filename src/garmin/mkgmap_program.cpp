#include "garmin/mkgmap_program.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

namespace orolith::garmin {

namespace {

// Where packages put mkgmap's .jar file when they do not add a program to the PATH.
const char* const kJarPlaces[] = {
    "/usr/share/mkgmap/mkgmap.jar",
    "/usr/local/share/mkgmap/mkgmap.jar",
    "/opt/mkgmap/mkgmap.jar",
};

QString findJava() {
    const QString home = qEnvironmentVariable("JAVA_HOME");
    if (!home.isEmpty()) {
        const QString java = QStandardPaths::findExecutable("java", {home + "/bin"});
        if (!java.isEmpty())
            return java;
    }
    return QStandardPaths::findExecutable("java");
}

bool useJar(const QString& jar, MkgmapCommand& command, std::string& error) {
    const QString java = findJava();
    if (java.isEmpty()) {
        error = kJavaMissing;
        return false;
    }
    command.program = java.toStdString();
    command.leadingArguments = {kJavaHeapOption, "-jar", jar.toStdString()};
    return true;
}

void useProgram(const QString& program, MkgmapCommand& command) {
    command.program = program.toStdString();
    command.leadingArguments.clear();
    command.javaToolOptions = kJavaHeapOption;
}

} // namespace

bool findMkgmap(const std::string& named, MkgmapCommand& command, std::string& error) {
    command = {};
    if (!named.empty()) {
        const QString name = QString::fromStdString(named);
        const QFileInfo file(name);
        if (name.endsWith(".jar", Qt::CaseInsensitive)) {
            if (file.isFile())
                return useJar(file.absoluteFilePath(), command, error);
        } else if (file.isFile() && file.isExecutable()) {
            useProgram(file.absoluteFilePath(), command);
            return true;
        } else if (!name.contains('/') && !name.contains('\\')) {
            const QString found = QStandardPaths::findExecutable(name);
            if (!found.isEmpty()) {
                useProgram(found, command);
                return true;
            }
        }
        error = kMkgmapMissing;
        return false;
    }
    const QString onPath = QStandardPaths::findExecutable("mkgmap");
    if (!onPath.isEmpty()) {
        useProgram(onPath, command);
        return true;
    }
    for (const char* place : kJarPlaces)
        if (QFileInfo(place).isFile())
            return useJar(place, command, error);
    error = kMkgmapMissing;
    return false;
}

} // namespace orolith::garmin
