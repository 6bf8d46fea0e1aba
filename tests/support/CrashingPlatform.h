#pragma once

#include <atomic>
#include <string>

#include "FaultyPlatform.h"

namespace brelker {

// Thrown where the process dies: nothing after it runs but what the system
// itself does at a process's end (open files are closed, locks released).
struct SimulatedCrash {
    int operation;
};

// The faulty platform that dies at the n-th call that changes the disk, as a
// SIGKILL, the OOM killer or the file-size limit would end the program
// between two of its calls: the call itself does not happen, and nothing the
// run would clean up afterwards happens either. Closing a file is not counted
// (the system closes every file of a process that ends) and never dies, so
// that the files a run holds are closed as the stack unwinds.
class CrashingPlatform : public FaultyPlatform {
public:
    FileHandle CreateForWriting(const std::string& path) override {
        if (!Step()) {
            return kNoFile;
        }
        return FaultyPlatform::CreateForWriting(path);
    }
    FileHandle OpenForWriting(const std::string& path) override {
        if (!Step()) {
            return kNoFile;
        }
        return FaultyPlatform::OpenForWriting(path);
    }
    FileHandle OpenForUpdating(const std::string& path) override {
        if (!Step()) {
            return kNoFile;
        }
        return FaultyPlatform::OpenForUpdating(path);
    }
    std::int64_t Write(FileHandle file, const char* buffer, std::int64_t count) override {
        if (!Step()) {
            return -1;
        }
        return FaultyPlatform::Write(file, buffer, count);
    }
    std::int64_t CopyRange(FileHandle from, FileHandle to, std::int64_t count) override {
        if (!Step()) {
            return -1;
        }
        return FaultyPlatform::CopyRange(from, to, count);
    }
    bool Truncate(FileHandle file, std::int64_t size) override {
        if (!Step()) {
            return false;
        }
        return FaultyPlatform::Truncate(file, size);
    }
    bool Flush(FileHandle file) override {
        if (!Step()) {
            return false;
        }
        return FaultyPlatform::Flush(file);
    }
    bool DeleteFile(const std::string& path) override {
        if (!Step()) {
            return false;
        }
        return FaultyPlatform::DeleteFile(path);
    }
    FileHandle CreateTemporaryBeside(const std::string& path, std::string& tempPath) override {
        if (!Step()) {
            return kNoFile;
        }
        return FaultyPlatform::CreateTemporaryBeside(path, tempPath);
    }
    bool RenameFile(const std::string& from, const std::string& to) override {
        if (!Step()) {
            return false;
        }
        return FaultyPlatform::RenameFile(from, to);
    }
    bool RenameToNewName(const std::string& from, const std::string& to) override {
        if (!Step()) {
            return false;
        }
        return FaultyPlatform::RenameToNewName(from, to);
    }
    bool FlushFolder(const std::string& folder) override {
        if (!Step()) {
            return false;
        }
        return FaultyPlatform::FlushFolder(folder);
    }
    bool MakeExecutable(FileHandle file) override {
        if (!Step()) {
            return false;
        }
        return FaultyPlatform::MakeExecutable(file);
    }

    // Lets the next run live, as a new process would.
    void Revive() { DieAt(0); }
    // The call, counted from 1 from now on, at which the process dies; 0: it lives on.
    void DieAt(int operation) {
        dieAtOperation = operation;
        operations = 0;
        dead = false;
    }

    int dieAtOperation = 0;
    // The call at dieAtOperation fails instead, and the run goes on.
    bool failInstead = false;
    // Calls that change the disk so far: a run that lived through them all
    // made this many.
    std::atomic<int> operations = 0;

private:
    // False once the process is dead: what a destructor would still do as the
    // stack unwinds does not happen.
    bool Step() {
        if (dead) {
            return false;
        }
        const int count = ++operations;
        if (dieAtOperation > 0 && count == dieAtOperation) {
            if (failInstead) {
                return false;
            }
            dead = true;
            throw SimulatedCrash{count};
        }
        return true;
    }

    bool dead = false;
};

}  // namespace brelker
