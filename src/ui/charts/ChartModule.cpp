#include "charts/ChartModule.h"

#include "app/ProgramPaths.h"
#include "charts/IChartWindowFactory.h"
#include "platform/FileSystem.h"

#include <QPluginLoader>

namespace ChartModule {

std::string DefaultPath()
{
    return ProgramPaths::HelperDir() + "/libzarn2-charts.so";
}

IChartWindowFactory* Load(const std::string& path, std::string& error)
{
    if (!FileSystem::EntryExists(path)) {
        error = "ファイルがありません";
        return nullptr;
    }
    QPluginLoader loader(QString::fromStdString(path));
    QObject* root = loader.instance();
    if (root == nullptr) {
        error = loader.errorString().toStdString();
        return nullptr;
    }
    auto* factory = qobject_cast<IChartWindowFactory*>(root);
    if (factory == nullptr) {
        error = "プレイ グラフのモジュールではありません";
        loader.unload();
    }
    return factory;
}

}  // namespace ChartModule
