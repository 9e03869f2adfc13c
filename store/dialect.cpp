#include "store/dialect.h"

#include "store/serverlocation.h"

#include <QSqlDatabase>

const StoreDialect &StoreDialect::of(const QString &location)
{
    return ServerLocation::isServer(location) ? postgres() : sqlite();
}

const StoreDialect &StoreDialect::ofConnection()
{
    const QSqlDatabase db = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
    return db.driverName() == postgres().driver() ? postgres() : sqlite();
}
