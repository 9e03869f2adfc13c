#include "app/activitykey.h"

#include "store/dbstuff.h"

bool ActivityKey::logOnce(QString &lastKey, const ActivityRow &row, QObject *parent)
{
    dB_Stuff store(parent);
    return store.logActivityOnce(row.key, lastKey, row.topic, row.log1, row.log2, row.log3, row.log4, row.log5,
                                 row.log6);
}
