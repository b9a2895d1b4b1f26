#include "framework/ModuleLoader.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <system_error>
#include <utility>

#include "framework/ApplicationSettings.h"

namespace fw {

namespace {

using FileId = std::pair<dev_t, ino_t>;

// The name the dynamic loader opens a descriptor by.
std::string descriptorPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

// Descriptors of modules that stayed mapped when they were let go (one that holds unique symbols,
// as the toolkit's code does, is never unloaded), by the file they lead to. The dynamic loader
// goes on knowing such a module by its descriptor's name and would take any later file opened
// under that name for it: the descriptor stays open, and a later load of that file goes through it.
std::map<FileId, FileDescriptor>& residentFiles() {
    static std::map<FileId, FileDescriptor> files;
    return files;
}

ModuleLoad refused(ModuleProblem why) {
    ModuleLoad load;
    load.problem = std::move(why);
    return load;
}

} // namespace

Module::Module(void* handle, FileDescriptor file, dev_t device, ino_t inode)
    : handle_(handle), file_(std::move(file)), device_(device), inode_(inode) {}

Module::~Module() {
    if (kept_)
        return;
    dlclose(handle_);
    if (!file_)
        return;
    const std::string name = descriptorPath(file_.get());
    if (void* still = dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD)) {
        dlclose(still);
        residentFiles().emplace(FileId{device_, inode_}, std::move(file_));
    }
}

void* Module::symbol(const char* name) const {
    return dlsym(handle_, name);
}

std::filesystem::path applicationFolder() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

// An installed program's modules sit in a library folder of their own, found relative to the
// executable so that a moved install still finds them; in the build tree they sit beside it.
std::filesystem::path moduleFolder() {
    std::filesystem::path folder = applicationFolder();
    if (folder.empty())
        return folder;
    std::error_code error;
    std::filesystem::path installed = (folder / applicationSettings().pluginFolder).lexically_normal();
    return std::filesystem::is_directory(installed, error) ? installed : folder;
}

ModuleLoad loadModuleFile(const std::filesystem::path& file, const char* entry) {
    const std::string name = file.filename().string();
    CheckedModule checked = checkModule(file);
    if (checked.problem)
        return refused(std::move(*checked.problem));
    struct stat st = {};
    if (::fstat(checked.file.get(), &st) != 0)
        return refused(
            moduleProblem(name + " cannot be loaded", file.string() + ": " + std::strerror(errno)));
    // Loaded from the descriptor the check read, not from the path, which may lead elsewhere by now.
    const FileId id{st.st_dev, st.st_ino};
    auto resident = residentFiles().find(id);
    const bool known = resident != residentFiles().end();
    const std::string loaderName = descriptorPath(known ? resident->second.get() : checked.file.get());
    void* handle = dlopen(loaderName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        return refused(
            moduleProblem(name + " cannot be loaded", file.string() + ": " + (why ? why : "unknown error")));
    }
    auto module = std::make_shared<Module>(handle, known ? FileDescriptor() : std::move(checked.file),
                                           id.first, id.second);
    void* found = module->symbol(entry);
    if (!found)
        return refused(noEntryPoint(file, entry));
    ModuleLoad load;
    load.module = std::move(module);
    load.entry = found;
    return load;
}

ModuleLoad loadModuleFrom(const std::filesystem::path& folder, const std::string& name, const char* entry) {
    // A relative path would let the dynamic loader search its own paths.
    if (!folder.is_absolute())
        return refused(moduleProblem(name + ".so is missing", "the folder it should lie in is unknown"));
    return loadModuleFile(folder / (name + ".so"), entry);
}

ModuleProblem noEntryPoint(const std::filesystem::path& file, const char* entry) {
    return moduleProblem(file.filename().string() + " has no entry point " + entry, file.string());
}

void reportModuleProblem(const ModuleProblem& problem) {
    const std::string& program = applicationSettings().name;
    std::fprintf(stderr, "%s%s%s\n", program.c_str(), program.empty() ? "" : ": ", problem.details.c_str());
}

} // namespace fw
