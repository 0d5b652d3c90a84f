#include "site/documentation_site.h"

#include <algorithm>
#include <new>

#include "database/source_file_reader.h"
#include "site/index_page.h"
#include "site/keyword_colouring.h"
#include "site/module_page.h"
#include "site/site_folder.h"
#include "site/site_names.h"
#include "site/site_page.h"
#include "site/site_pictures.h"
#include "site/source_page.h"

namespace corvane {

namespace {

std::vector<std::string> moduleNamesByName(const ModuleList& modules) {
    std::vector<std::string> names;
    for (const Module& module : modules) names.push_back(module.name);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> sourcePathsByName(const ModuleList& modules) {
    std::vector<std::string> paths;
    for (const Module& module : modules) paths.push_back(module.filePath);
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

class SiteWriter {
public:
    SiteWriter(const SiteRequest& request, ProgressSink& progress, SiteFolder& folder)
        : request_(request),
          progress_(progress),
          folder_(folder),
          design_(request.modules),
          moduleNames_(moduleNamesByName(request.modules)),
          sourcePaths_(sourcePathsByName(request.modules)),
          names_(moduleNames_, sourcePaths_),
          projectName_(request.projectName.empty() ? "Design documentation" : request.projectName) {
        const bool noKeywords = request.verilogKeywords.empty() && request.vhdlKeywords.empty();
        verilogKeywords_ = noKeywords ? defaultVerilogKeywords() : request.verilogKeywords;
        vhdlKeywords_ = noKeywords ? defaultVhdlKeywords() : request.vhdlKeywords;
        steps_ = moduleNames_.size() + sourcePaths_.size() + 1;
    }

    bool write() {
        folder_.writeFile(kStyleSheetName, siteStyleSheet());
        folder_.makeFolder(kModuleFolder);
        folder_.makeFolder(kSourceFolder);
        for (const std::string& name : moduleNames_) {
            if (!folder_.ok()) return false;
            writeModule(name);
            step();
        }
        for (const std::string& path : sourcePaths_) {
            if (!folder_.ok()) return false;
            writeSource(path);
            step();
        }
        folder_.writeFile("index.html",
                          buildIndexPage({request_.modules, names_, projectName_, machines_}));
        step();
        return folder_.ok();
    }

private:
    void note(const std::string& text) {
        if (request_.notes != nullptr) request_.notes->push_back(text);
    }

    void step() {
        ++done_;
        progress_.setProgress(static_cast<int>(done_ * 100 / steps_));
    }

    std::string modulePath(const std::string& file) const {
        return std::string(kModuleFolder) + "/" + file;
    }

    void writeModule(const std::string& name) {
        const std::string prefix = "m" + std::to_string(done_) + "-";
        const SitePicture schematic = schematicPicture(design_, name, names_, prefix);
        if (schematic.drawn) {
            folder_.writeFile(modulePath(names_.schematicPicture(name)), schematic.svg);
        } else {
            note("module " + name + ": " + schematic.note);
        }
        const std::vector<SiteStateMachine> machines = stateMachinePictures(design_, name, prefix);
        const Module* module = design_.find(name);
        for (const SiteStateMachine& machine : machines) {
            folder_.writeFile(modulePath(names_.stateMachinePicture(name, machine.line)),
                              machine.picture.svg);
            machines_.push_back({name, module->displayName, machine.line,
                                 machine.machine.stateRegister, machine.machine.states.size()});
        }
        folder_.writeFile(
            modulePath(names_.modulePage(name)),
            buildModulePage({design_, *module, names_, schematic, machines, projectName_}));
    }

    void writeSource(const std::string& path) {
        SourcePageInput input;
        input.filePath = path;
        input.text = readSourceFile(path);
        if (input.text.empty()) note("source file " + path + ": cannot be read, or is empty");
        bool vhdl = false;
        for (const Module& module : request_.modules) {
            if (module.filePath != path) continue;
            vhdl = vhdl || module.language == kVhdl;
        }
        for (const std::string& name : moduleNames_) {
            const Module* module = request_.modules.find(name);
            if (module != nullptr && module->filePath == path) {
                input.modules.emplace_back(module->displayName, names_.modulePage(name));
            }
        }
        input.vhdl = vhdl;
        input.keywords = vhdl ? &vhdlKeywords_ : &verilogKeywords_;
        folder_.writeFile(std::string(kSourceFolder) + "/" + names_.sourcePage(path),
                          buildSourcePage(input, projectName_));
    }

    const SiteRequest& request_;
    ProgressSink& progress_;
    SiteFolder& folder_;
    ModuleList design_;  // a copy whose schematic fields the pictures may change
    std::vector<std::string> moduleNames_;
    std::vector<std::string> sourcePaths_;
    SiteNames names_;
    std::string projectName_;
    std::vector<KeywordEntry> verilogKeywords_;
    std::vector<KeywordEntry> vhdlKeywords_;
    std::vector<StateMachineEntry> machines_;
    std::size_t steps_ = 1;
    std::size_t done_ = 0;
};

}  // namespace

bool writeDocumentationSite(const SiteRequest& request, ProgressSink& progress,
                            std::string& error) {
    if (request.modules.empty()) {
        error = kNoModulesText;
        return false;
    }
    if (request.outputFolder.empty()) {
        error = "no output folder is named";
        return false;
    }
    try {
        SiteFolder folder(request.outputFolder);
        if (!folder.ok()) {
            error = folder.error();
            return false;
        }
        progress.showProgressFile(request.outputFolder);
        progress.setProgress(0);
        const bool written = SiteWriter(request, progress, folder).write() && folder.commit();
        progress.hideProgress();
        if (!written) error = folder.error();
        return written;
    } catch (const std::bad_alloc&) {
        progress.hideProgress();
        error = "not enough memory for the documentation site";
        return false;
    }
}

}  // namespace corvane
