// One of Far's settings databases (the profile's *.db, SQLite), read and
// written through the sqlite3.dll that comes with Far, so that a test can
// put into the plugin's store what the plugin itself would never write.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class FarDatabase {
public:
    // SqliteDll: Far's sqlite3.dll; Path: the database.
    FarDatabase(const std::wstring &SqliteDll, const std::wstring &Path);
    FarDatabase(const FarDatabase &) = delete;
    FarDatabase &operator=(const FarDatabase &) = delete;
    ~FarDatabase();

    bool Ok() const { return Db != nullptr; }
    const std::string &Error() const { return LastError; }
    // Runs statements; false with Error() set when one fails.
    bool Exec(const std::string &Sql);
    // The rows of a query, each column as text (NULL as "NULL").
    std::vector<std::vector<std::string>> Rows(const std::string &Sql);

private:
    HMODULE Library = nullptr;
    void *Db = nullptr;
    std::string LastError;
};
