// Every Chinese name the model libraries and the shipped catalogues put on the screen (group,
// attribute and item names of every control kind, control kinds, PLC, register and coil kinds, the
// editor's messages) has an English entry in the catalogue the build makes, so the English list
// beside the Chinese names stays complete when a name is added.
#include "project_test_support.h"

#include "controls/attribute_enum.h"
#include "controls/control_creator.h"
#include "editor/editor_strings.h"

#include <QFile>
#include <QRegularExpression>
#include <QTranslator>

#include <set>

namespace {

using PROJECT_TEST::NewProject;

bool HasChinese(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    return text.contains(han);
}

QString FromGbk(const std::string& gbk)
{
    return QString::fromStdString(COMMON_EX::GbkToUtf8Lossy(gbk.c_str()));
}

// The Chinese names a user sees on every control kind of a project for `device`.
std::set<QString> ControlNames(const char* device)
{
    std::set<QString> names;
    auto add = [&names](const std::string& gbk) {
        const QString text = FromGbk(gbk);
        if (HasChinese(text))
            names.insert(text);
    };
    auto project = NewProject(device);
    CScreenBase* screen = project->GetFirstScreen();
    for (unsigned type = CControlBase::CONTROL_STATIC_TEXT; type <= CControlBase::CONTROL_ACTIVATE_TEXT; ++type) {
        std::string kind;
        CControlCreator::GetControlBaseName(type, kind);
        add(kind);
        CControlBase* control = PROJECT_TEST::Add(screen, type);
        for (CAttrList* group :
             std::initializer_list<CAttrList*>{control->GetLayoutAtttribute(), control->GetDisplayAtttribute(),
                                               control->GetCustomAtttribute(), control->GetDataAtttribute(),
                                               control->GetOtherAtttribute()}) {
            if (!group)
                continue;
            add(group->GetListName());
            group->StartGetAttribute();
            while (CAttributeBase* attribute = group->GetNextAttribute()) {
                add(attribute->GetAttributeName());
                if (auto* items = dynamic_cast<CAttributeEnum*>(attribute))
                    for (const std::string& item : items->GetItems())
                        add(item);
            }
        }
    }
    return names;
}

// The columns of a catalogue row after its ID.
enum COLUMN { COLUMN_NAME = 1, COLUMN_DESCRIPTION = 2 };

// The non-empty texts in `column` of the catalogue rows whose key matches `keys` (GBK file).
std::set<QString> CatalogueNames(const char* file, const QString& keys, COLUMN column = COLUMN_NAME)
{
    QFile catalogue(QStringLiteral(ZQ_SOURCE_DIR "/devices/") + QString::fromLatin1(file));
    EXPECT_TRUE(catalogue.open(QIODevice::ReadOnly)) << file;
    const QRegularExpression row(
        QStringLiteral("^(?:%1)=(?:[^\\t]*\\t){%2}([^\\t\\r\\n]+)").arg(keys).arg(int(column)));
    std::set<QString> names;
    for (const QByteArray& line : catalogue.readAll().split('\n')) {
        const QRegularExpressionMatch match = row.match(FromGbk(line.toStdString()));
        if (match.hasMatch())
            names.insert(match.captured(1));
    }
    return names;
}

class CatalogueNamesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_english.load(QStringLiteral(ZQ_CATALOGUE_QM))) << ZQ_CATALOGUE_QM; }

    // Names without a finished English entry in context (none when the catalogue is complete).
    QStringList Untranslated(const char* context, const std::set<QString>& names) const
    {
        QStringList missing;
        for (const QString& name : names) {
            const QString english = m_english.translate(context, name.toUtf8().constData());
            if (english.isEmpty() || HasChinese(english))
                missing << name;
        }
        return missing;
    }

    QTranslator m_english;
};

} // namespace

TEST_F(CatalogueNamesTest, EveryNameOfEveryControlKindHasAnEnglishEntry)
{
    for (const char* device : {"QMX200", "QMX300"}) {
        const std::set<QString> names = ControlNames(device);
        EXPECT_GT(names.size(), 40u) << device; // the walk reached the groups, attributes and items
        EXPECT_TRUE(names.count(QString::fromUtf8("Y(输出)"))) << "register and coil kinds come from the catalogue";
        EXPECT_EQ(Untranslated("Model", names).join(u' ').toStdString(), "") << device;
    }
}

TEST_F(CatalogueNamesTest, EveryShippedCatalogueNameHasAnEnglishEntry)
{
    const std::set<QString> plcs = CatalogueNames("PLCRegister.ini", QStringLiteral("PLC_Item_\\d+"));
    const std::set<QString> kinds = CatalogueNames("PLCRegister.ini", QStringLiteral("(?:Register|Coil)_Index_\\d+"));
    const std::set<QString> devices = CatalogueNames("DeviceRegister.ini", QStringLiteral("Device_Item_\\d+"));
    ASSERT_FALSE(plcs.empty());
    ASSERT_GE(kinds.size(), 14u);
    ASSERT_FALSE(devices.empty());
    EXPECT_EQ(Untranslated("Model", plcs).join(u' ').toStdString(), "");
    EXPECT_EQ(Untranslated("Model", kinds).join(u' ').toStdString(), "");
    // Panel models are written in Latin letters; a Chinese one would need an entry too.
    std::set<QString> chineseDevices;
    for (const QString& device : devices)
        if (HasChinese(device))
            chineseDevices.insert(device);
    EXPECT_EQ(Untranslated("Model", chineseDevices).join(u' ').toStdString(), "");
}

TEST_F(CatalogueNamesTest, EveryShippedCatalogueDescriptionHasAnEnglishEntry)
{
    std::set<QString> descriptions =
        CatalogueNames("PLCRegister.ini", QStringLiteral("PLC_Item_\\d+"), COLUMN_DESCRIPTION);
    ASSERT_FALSE(descriptions.empty());
    const std::set<QString> models =
        CatalogueNames("DeviceRegister.ini", QStringLiteral("Device_Item_\\d+"), COLUMN_DESCRIPTION);
    ASSERT_GE(models.size(), 2u);
    descriptions.insert(models.begin(), models.end());
    EXPECT_EQ(Untranslated("Model", descriptions).join(u' ').toStdString(), "");
}

TEST_F(CatalogueNamesTest, EveryEditorMessageHasAnEnglishEntry)
{
    std::set<QString> messages;
    for (UINT id = 0; id < 20000; ++id) {
        const QString text = QString::fromUtf8(CEditorStrings::Get(id));
        if (HasChinese(text))
            messages.insert(text);
    }
    ASSERT_GE(messages.size(), 9u);
    EXPECT_EQ(Untranslated("EditorStrings", messages).join(u' ').toStdString(), "");
}
