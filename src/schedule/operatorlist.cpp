#include "schedule/operatorlist.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

OperatorList OperatorList::read(const QString &archiveFolder)
{
    RecordSet data;
    data.bind(ArchivePath::join(archiveFolder, ArchivePath::kz4()),
              ArchiveSchema::operatorsTable());
    data.open();
    const QString idField = ArchiveSchema::operatorIdField();
    const QString nameField = ArchiveSchema::operatorNameField();
    OperatorList list;
    list.operators_.reserve(data.recordCount());
    for (; !data.isEof(); data.moveNext()) {
        const Operator op{data.isNull(idField) ? 0 : data.toInt32(idField), data.text(nameField)};
        // A search for an identifier stops at its first record.
        if (!list.firstById_.contains(op.id))
            list.firstById_.insert(op.id, list.operators_.size());
        list.operators_ << op;
    }
    return list;
}

QString OperatorList::cellText(qint32 id) const
{
    const auto found = firstById_.constFind(id);
    if (found == firstById_.cend())
        return QStringLiteral("?") + QString::number(id);
    const QString &name = operators_.at(*found).name;
    return name.trimmed().isEmpty() ? QStringLiteral("ID ") + QString::number(id) : name;
}
