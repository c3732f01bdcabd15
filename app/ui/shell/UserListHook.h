#pragma once

#include <QString>

// What the user-creation dialog needs of the window that holds the user selector:
// append a new name to the list, and make a name the current user with its distance unit.
// The main window implements it; tests use a recording stand-in.
class UserListHook {
  public:
    virtual ~UserListHook() = default;
    virtual void appendUser(const QString& name) = 0;
    virtual void makeCurrentUser(const QString& name, bool miles) = 0;
};
