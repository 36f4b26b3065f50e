#include "jet/system_catalog.h"

#include <cstring>

#include "jet/little_endian.h"
#include "jet/text_encode.h"

namespace jet {

namespace {

constexpr uint32_t kQueriesDefinitionPage = 4;
constexpr uint32_t kRelationshipsDefinitionPage = 5;

// Column flags Access gives the system tables' columns.
constexpr uint8_t kSystemFixed = 0x13;
constexpr uint8_t kSystemVariable = 0x12;
constexpr uint8_t kSystemSid = 0x32;
constexpr uint16_t kNameLength = 510;  // 255 characters

NewColumn Fixed(const char* name, ColumnType type) {
  return {name, type, 0, kSystemFixed, 0};
}
NewColumn Variable(const char* name, ColumnType type, uint16_t length = 0) {
  return {name, type, length, kSystemVariable, 0};
}

// Object types and ids in MSysObjects.
constexpr int16_t kTableObject = 1;
constexpr int16_t kDatabaseObject = 2;
constexpr int16_t kContainerObject = 3;
constexpr int32_t kRootContainerId = 0x0f000000;
constexpr int32_t kTablesContainerId = 0x0f000001;
constexpr int32_t kDatabasesContainerId = 0x0f000002;
constexpr int32_t kRelationshipsContainerId = 0x0f000003;
constexpr int32_t kDatabaseId = 0x10000000;
constexpr int32_t kFirstAccessContainerId = INT32_MIN;
constexpr uint32_t kSystemObjectFlags = 0x80000000;

// Security ids as the default workgroup knows them: the engine, the Admin
// user, the Admins group and the Users group.
const std::string kEngineSid = "\xa7\x31";
const std::string kAdminSid = "\xa6\x33";
const std::string kUsersSid = "\xa7\x33";
const std::string kCreatorSid = "\xa7\x36";
const std::string kAdminsSid = std::string(
    "\xa4\xf7\x46\x67\xe1\x71\x67\xee\xd7\xb1\x0f\x8f\xfe\xef\x76\xff\xaa\xe3\x66\x51\x05\xbd"
    "\xd2\x9d\x4d\x4b\x39\x52\xd9\xfb\x9a\x07\x66\x0c\x5b\xd2\xd8\x7d\xdd\xb3\x1e\x65\x90\x19",
    44);

// Access rights (ACM) as Access grants them.
constexpr int32_t kFullRights = 1048575;
constexpr int32_t kTableRights = 1048319;
constexpr int32_t kCreatorRights = 983294;
constexpr int32_t kReadDesign = 393216;
constexpr int32_t kRelationshipsAdminRights = 393217;
constexpr int32_t kDatabaseAdminRights = 393230;
constexpr int32_t kDatabaseUserRights = 14;

std::string Bytes(uint64_t value, size_t size) {
  std::string out(size, '\0');
  for (size_t i = 0; i < size; ++i) out[i] = static_cast<char>(value >> (8 * i));
  return out;
}
std::string Long(int32_t v) {
  return Bytes(static_cast<uint32_t>(v), 4);
}
std::string Short(int16_t v) {
  return Bytes(static_cast<uint16_t>(v), 2);
}
std::string Date(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return Bytes(bits, 8);
}
std::string Text(const std::string& utf8) {
  std::u16string units;
  Utf8ToUtf16(utf8, &units);
  return EncodeJet4Text(units, false);
}

constexpr size_t kObjectColumnCount = 17;

StoredRow ObjectRow(int32_t id, int32_t parent, const std::string& name, int16_t type, double now,
                    const std::string& owner, uint32_t flags) {
  StoredRow row(kObjectColumnCount);
  row[0] = Long(id);
  row[1] = Long(parent);
  row[2] = Text(name);
  row[3] = Short(type);
  row[4] = Date(now);
  row[5] = Date(now);
  row[6] = owner;
  row[7] = Long(static_cast<int32_t>(flags));
  return row;
}

StoredRow AceRow(int32_t object, const std::string& sid, int32_t rights, bool inheritable) {
  return {Long(object), sid, Long(rights), std::string(1, inheritable ? '\1' : '\0')};
}

// The containers Access adds for its own objects.
const char* const kAccessContainers[] = {"DataAccessPages", "Forms",   "Modules",
                                         "Reports",         "Scripts", "SysRel"};

}  // namespace

const std::vector<SystemTable>& SystemTables() {
  static const std::vector<SystemTable> kTables = {
      {"MSysObjects",
       kObjectsDefinitionPage,
       {Fixed("Id", ColumnType::kLongInteger),
        Fixed("ParentId", ColumnType::kLongInteger),
        Variable("Name", ColumnType::kText, kNameLength),
        Fixed("Type", ColumnType::kInteger),
        Fixed("DateCreate", ColumnType::kDateTime),
        Fixed("DateUpdate", ColumnType::kDateTime),
        {"Owner", ColumnType::kBinary, kNameLength, kSystemSid, 0},
        Fixed("Flags", ColumnType::kLongInteger),
        Variable("Database", ColumnType::kMemo),
        Variable("Connect", ColumnType::kMemo),
        Variable("ForeignName", ColumnType::kText, kNameLength),
        Variable("RmtInfoShort", ColumnType::kBinary, kNameLength),
        Variable("RmtInfoLong", ColumnType::kOle),
        Variable("Lv", ColumnType::kOle),
        Variable("LvProp", ColumnType::kOle),
        Variable("LvModule", ColumnType::kOle),
        Variable("LvExtra", ColumnType::kOle)}},
      {"MSysACEs",
       kAcesDefinitionPage,
       {Fixed("ObjectId", ColumnType::kLongInteger),
        {"SID", ColumnType::kBinary, kNameLength, kSystemSid, 0},
        Fixed("ACM", ColumnType::kLongInteger),
        Fixed("FInheritable", ColumnType::kBoolean)}},
      {"MSysQueries",
       kQueriesDefinitionPage,
       {Fixed("ObjectId", ColumnType::kLongInteger), Fixed("Attribute", ColumnType::kByte),
        Variable("Order", ColumnType::kBinary, kNameLength),
        Variable("Name1", ColumnType::kText, kNameLength),
        Variable("Name2", ColumnType::kText, kNameLength),
        Variable("Expression", ColumnType::kMemo), Fixed("Flag", ColumnType::kInteger),
        Fixed("LvExtra", ColumnType::kLongInteger)}},
      {"MSysRelationships",
       kRelationshipsDefinitionPage,
       {Variable("szRelationship", ColumnType::kText, kNameLength),
        Fixed("grbit", ColumnType::kLongInteger), Fixed("ccolumn", ColumnType::kLongInteger),
        Fixed("icolumn", ColumnType::kLongInteger),
        Variable("szObject", ColumnType::kText, kNameLength),
        Variable("szColumn", ColumnType::kText, kNameLength),
        Variable("szReferencedObject", ColumnType::kText, kNameLength),
        Variable("szReferencedColumn", ColumnType::kText, kNameLength)}},
  };
  return kTables;
}

std::vector<StoredRow> InitialObjectRows(double now) {
  std::vector<StoredRow> rows = {
      ObjectRow(kTablesContainerId, kRootContainerId, "Tables", kContainerObject, now, kEngineSid,
                kSystemObjectFlags),
      ObjectRow(kDatabasesContainerId, kRootContainerId, "Databases", kContainerObject, now,
                kEngineSid, kSystemObjectFlags),
      ObjectRow(kRelationshipsContainerId, kRootContainerId, "Relationships", kContainerObject, now,
                kEngineSid, kSystemObjectFlags),
      ObjectRow(kDatabaseId, kDatabasesContainerId, "MSysDb", kDatabaseObject, now, kAdminSid,
                kSystemObjectFlags),
  };
  for (const SystemTable& table : SystemTables()) {
    rows.push_back(ObjectRow(static_cast<int32_t>(table.definition_page), kTablesContainerId,
                             table.name, kTableObject, now, kEngineSid, kSystemObjectFlags));
  }
  int32_t id = kFirstAccessContainerId;
  for (const char* name : kAccessContainers) {
    rows.push_back(ObjectRow(id++, kRootContainerId, name, kContainerObject, now, kAdminSid, 0));
  }
  return rows;
}

std::vector<StoredRow> InitialAceRows() {
  std::vector<StoredRow> rows;
  int32_t id = kFirstAccessContainerId;
  for (size_t i = 0; i < std::size(kAccessContainers); ++i, ++id) {
    for (const std::string* sid : {&kUsersSid, &kAdminsSid, &kAdminSid, &kCreatorSid}) {
      rows.push_back(AceRow(id, *sid, kFullRights, true));
    }
  }
  rows.push_back(AceRow(kDatabasesContainerId, kAdminSid, kReadDesign, false));
  rows.push_back(AceRow(kRelationshipsContainerId, kCreatorSid, kCreatorRights, true));
  rows.push_back(AceRow(kRelationshipsContainerId, kAdminSid, kRelationshipsAdminRights, false));
  rows.push_back(AceRow(kRelationshipsContainerId, kAdminsSid, kFullRights, true));
  rows.push_back(AceRow(kRelationshipsContainerId, kUsersSid, kFullRights, true));
  rows.push_back(AceRow(kTablesContainerId, kCreatorSid, kCreatorRights, true));
  for (const std::string* sid : {&kAdminSid, &kAdminsSid, &kUsersSid}) {
    rows.push_back(AceRow(kTablesContainerId, *sid, kTableRights, true));
  }
  rows.push_back(AceRow(kDatabaseId, kAdminSid, kDatabaseAdminRights, false));
  rows.push_back(AceRow(kDatabaseId, kUsersSid, kDatabaseUserRights, false));
  rows.push_back(AceRow(kDatabaseId, kAdminsSid, kDatabaseAdminRights, false));
  // The system tables, in SystemTables() order: the rights of the Admin
  // user, the Admins group and the Users group (0: no entry), as Access
  // grants them.
  const struct {
    int32_t admin, admins, users;
  } kSystemRights[] = {{kReadDesign, 393300, 20},
                       {kReadDesign, 393300, 0},
                       {kReadDesign, 393236, 20},
                       {917504, 393236, 20}};
  for (size_t i = 0; i < std::size(kSystemRights); ++i) {
    const auto& rights = kSystemRights[i];
    const auto object = static_cast<int32_t>(SystemTables()[i].definition_page);
    rows.push_back(AceRow(object, kAdminSid, rights.admin, false));
    rows.push_back(AceRow(object, kAdminsSid, rights.admins, false));
    if (rights.users != 0) rows.push_back(AceRow(object, kUsersSid, rights.users, false));
  }
  return rows;
}

StoredRow TableObjectRow(uint32_t definition_page, const std::string& name, double now) {
  return ObjectRow(static_cast<int32_t>(definition_page), kTablesContainerId, name, kTableObject,
                   now, kAdminSid, 0);
}

std::vector<StoredRow> TableAceRows(uint32_t definition_page) {
  const auto object = static_cast<int32_t>(definition_page);
  return {AceRow(object, kAdminSid, kTableRights, false),
          AceRow(object, kAdminsSid, kTableRights, false),
          AceRow(object, kUsersSid, kTableRights, false)};
}

}  // namespace jet
