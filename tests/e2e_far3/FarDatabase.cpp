#include "FarDatabase.h"

#include "FarConsole.h"

namespace {

// The few entry points of SQLite's C interface that the tests use.
using OpenFn = int (*)(const char *, void **, int, const char *);
using CloseFn = int (*)(void *);
using ExecFn = int (*)(void *, const char *, int (*)(void *, int, char **, char **), void *, char **);
using FreeFn = void (*)(void *);
using ErrorFn = const char *(*)(void *);
const int OpenReadWrite = 0x2;

template <typename F> F Entry(HMODULE Library, const char *Name) {
    return reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(Library, Name)));
}

}  // namespace

FarDatabase::FarDatabase(const std::wstring &SqliteDll, const std::wstring &Path) {
    Library = LoadLibraryW(SqliteDll.c_str());
    if (!Library) {
        LastError = "cannot load " + Utf8(SqliteDll);
        return;
    }
    auto Open = Entry<OpenFn>(Library, "sqlite3_open_v2");
    void *Opened = nullptr;
    // Only an existing database: Far makes it, with its tables.
    if (!Open || Open(Utf8(Path).c_str(), &Opened, OpenReadWrite, nullptr) != 0) {
        LastError = "cannot open " + Utf8(Path);
        if (Opened) Entry<CloseFn>(Library, "sqlite3_close")(Opened);
        return;
    }
    Db = Opened;
}

FarDatabase::~FarDatabase() {
    if (Db) Entry<CloseFn>(Library, "sqlite3_close")(Db);
    if (Library) FreeLibrary(Library);
}

bool FarDatabase::Exec(const std::string &Sql) {
    if (!Db) return false;
    char *Message = nullptr;
    if (Entry<ExecFn>(Library, "sqlite3_exec")(Db, Sql.c_str(), nullptr, nullptr, &Message) == 0) return true;
    LastError = Message ? Message : Entry<ErrorFn>(Library, "sqlite3_errmsg")(Db);
    Entry<FreeFn>(Library, "sqlite3_free")(Message);
    return false;
}

std::vector<std::vector<std::string>> FarDatabase::Rows(const std::string &Sql) {
    std::vector<std::vector<std::string>> Out;
    if (!Db) return Out;
    auto Collect = [](void *Rows, int Count, char **Values, char **) {
        std::vector<std::string> Row;
        for (int I = 0; I < Count; I++) Row.push_back(Values[I] ? Values[I] : "NULL");
        static_cast<std::vector<std::vector<std::string>> *>(Rows)->push_back(Row);
        return 0;
    };
    char *Message = nullptr;
    if (Entry<ExecFn>(Library, "sqlite3_exec")(Db, Sql.c_str(), Collect, &Out, &Message) != 0) {
        LastError = Message ? Message : "query failed";
        Entry<FreeFn>(Library, "sqlite3_free")(Message);
    }
    return Out;
}
