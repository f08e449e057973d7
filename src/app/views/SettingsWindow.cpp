#include "app/views/SettingsWindow.h"

#include "app/ModifierKeyLabel.h"
#include "app/SettingsState.h"
#include "app/views/Symbols.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "ui/DesignSize.h"
#include "ui/FormGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

constexpr int kSymbolSize = 14;
constexpr double kDwellMinimum = 0.5;
constexpr double kDwellStep = 0.25;
constexpr int kDwellSteps = 8; // 0.5 to 2.5 seconds
const QColor kGreen(0x1e, 0x9e, 0x45);
const QColor kOrange(0xd9, 0x7a, 0x00);

const std::array kModifierKeys{ModifierKey::option, ModifierKey::command, ModifierKey::control,
                               ModifierKey::shift};

QLabel* plainLabel(const QString& text, QWidget* parent = nullptr)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

// Secondary texts: smaller (caption) or slightly smaller (callout), in the placeholder colour.
QLabel* secondaryLabel(const QString& text, bool caption)
{
    QLabel* label = plainLabel(text);
    label->setFont(DesignSize::font(label->font(), caption ? 11 : 12));
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QLabel* helpText(const QString& text)
{
    return secondaryLabel(text, true);
}

QLabel* symbolLabel(Symbol symbol)
{
    auto* label = new QLabel;
    label->setPixmap(symbolPixmap(symbol, kSymbolSize));
    label->setFixedSize(kSymbolSize, kSymbolSize);
    return label;
}

QWidget* row(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right = {},
             Qt::Alignment alignment = Qt::AlignVCenter)
{
    auto* widget = new QWidget;
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    // A lone text takes the free width, so it wraps only when the row is really full.
    for (QWidget* item : left)
        layout->addWidget(item, left.size() == 1 ? 1 : 0, alignment);
    if (left.size() != 1) layout->addStretch(1);
    for (QWidget* item : right)
        layout->addWidget(item, 0, alignment);
    return widget;
}

// A labelled switch: the text on the left, the box at the trailing edge.
QCheckBox* switchRow(QVBoxLayout* box, const QString& text, const QString& name)
{
    auto* toggle = new QCheckBox;
    toggle->setObjectName(name);
    toggle->setAccessibleName(text);
    QLabel* label = plainLabel(text);
    label->setBuddy(toggle);
    box->addWidget(row({label}, {toggle}));
    return toggle;
}

QWidget* warning(const QString& text, const QString& name)
{
    QLabel* label = plainLabel(text);
    label->setFont(DesignSize::font(label->font(), 11));
    QPalette palette = label->palette();
    // On the group's base-coloured box a label draws with the Text role.
    palette.setColor(QPalette::WindowText, kOrange);
    palette.setColor(QPalette::Text, kOrange);
    label->setPalette(palette);
    auto* widget = new QWidget;
    widget->setObjectName(name);
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(symbolLabel(Symbol::warning), 0, Qt::AlignTop);
    layout->addWidget(label, 1);
    return widget;
}

QComboBox* keyPicker(const QString& name)
{
    auto* picker = new QComboBox;
    picker->setObjectName(name);
    for (ModifierKey key : kModifierKeys)
        picker->addItem(modifierKeyLabel(key), static_cast<int>(key));
    return picker;
}

// A collapsed "高级" part that opens below its arrow.
QVBoxLayout* disclosure(QVBoxLayout* box, const QString& name)
{
    auto* toggle = new QToolButton;
    toggle->setObjectName(name);
    toggle->setText(QStringLiteral("高级"));
    // Not a checkable button: a checked one would be drawn pressed in while the part is open.
    toggle->setAutoRaise(true);
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setArrowType(Qt::RightArrow);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(16, 0, 0, 0);
    content->setVisible(false);
    QObject::connect(toggle, &QToolButton::clicked, content, [toggle, content] {
        const bool open = !content->isVisibleTo(toggle->parentWidget());
        toggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        content->setVisible(open);
    });
    box->addWidget(toggle);
    box->addWidget(content);
    return layout;
}

} // namespace

SettingsWindow::SettingsWindow(SettingsState& state, const WordStore& words, Actions actions,
                               QWidget* parent)
    : QWidget(parent), m_state(state), m_words(words), m_actions(std::move(actions))
{
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowTitle(QStringLiteral("Glossivo 设置"));
    setMinimumSize(480, 480);
    resize(520, 560);

    auto* content = new QWidget;
    m_form = new QVBoxLayout(content);
    m_form->setContentsMargins(16, 16, 16, 16);
    m_form->setSpacing(16);
    for (QWidget* section : {permissionsGroup(), keyGroup(), startGroup(), lookupGroup(),
                             reviewGroup(), wordBookGroup()})
        m_form->addWidget(section);
    m_sectionIndex = m_form->count();
    m_form->addWidget(excludedGroup());
    m_form->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    connect(&m_state.config(), &ConfigStore::configChanged, this, &SettingsWindow::refresh);
    connect(&m_state, &SettingsState::changed, this, &SettingsWindow::refresh);
    // The signal comes before the change, so the count is read once it has landed.
    connect(&m_words, &WordStore::willChange, this, &SettingsWindow::refresh, Qt::QueuedConnection);
    refresh();
}

void SettingsWindow::addSection(QWidget* section)
{
    m_form->insertWidget(m_sectionIndex++, section);
}

void SettingsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_state.setRefreshing(true);
}

void SettingsWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_state.setRefreshing(false);
}

QWidget* SettingsWindow::permissionsGroup()
{
    FormGroup g = formGroup(QStringLiteral("第一步：打开两个系统权限"));
    const auto permissionRow = [](const QString& name, const QString& title,
                                  std::function<void()> request) {
        auto* widget = new QWidget;
        widget->setObjectName(name);
        auto* layout = new QHBoxLayout(widget);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(2);
        texts->addWidget(plainLabel(title));
        QLabel* detail = secondaryLabel(QString(), true);
        detail->setObjectName(QStringLiteral("detail"));
        texts->addWidget(detail);
        layout->addLayout(texts, 1);
        auto* granted = new QWidget;
        granted->setObjectName(QStringLiteral("granted"));
        auto* grantedLayout = new QHBoxLayout(granted);
        grantedLayout->setContentsMargins(0, 0, 0, 0);
        grantedLayout->addWidget(symbolLabel(Symbol::checkmark));
        QLabel* on = plainLabel(QStringLiteral("已开启"));
        QPalette palette = on->palette();
        palette.setColor(QPalette::WindowText, kGreen);
        palette.setColor(QPalette::Text, kGreen);
        on->setPalette(palette);
        grantedLayout->addWidget(on);
        layout->addWidget(granted, 0, Qt::AlignTop);
        auto* button = new QPushButton(QStringLiteral("去开启"));
        button->setObjectName(QStringLiteral("request"));
        QObject::connect(button, &QPushButton::clicked, widget, std::move(request));
        layout->addWidget(button, 0, Qt::AlignTop);
        return widget;
    };
    m_accessibilityRow =
        permissionRow(QStringLiteral("accessibilityRow"), QStringLiteral("辅助功能"),
                      [this] { m_state.requestAccessibility(); });
    m_screenRow = permissionRow(QStringLiteral("screenRow"), QStringLiteral("屏幕录制"),
                                [this] { m_state.requestScreen(); });
    auto* restart = new QPushButton(QStringLiteral("重启应用"));
    connect(restart, &QPushButton::clicked, this, [this] {
        if (m_actions.relaunch) m_actions.relaunch();
    });
    m_restartRow =
        row({secondaryLabel(QStringLiteral("换成 X11 会话后，需要重启本应用才能生效。"), false)},
            {restart});
    m_restartRow->setObjectName(QStringLiteral("restartRow"));
    g.box->addWidget(m_accessibilityRow);
    g.box->addWidget(m_screenRow);
    g.box->addWidget(m_restartRow);
    return g.widget;
}

QWidget* SettingsWindow::keyGroup()
{
    FormGroup g = formGroup(QStringLiteral("第二步：填写 DeepSeek API key"));
    m_apiKey = new QLineEdit;
    m_apiKey->setObjectName(QStringLiteral("apiKeyField"));
    m_apiKey->setEchoMode(QLineEdit::Password);
    m_apiKey->setAccessibleName(QStringLiteral("DeepSeek API key"));
    m_apiKey->setPlaceholderText(QStringLiteral("sk-…"));
    connect(m_apiKey, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_state.edit([&](AppConfig& config) { config.apiKey = text; });
    });
    g.box->addWidget(m_apiKey);

    m_testButton = new QPushButton;
    m_testButton->setObjectName(QStringLiteral("testButton"));
    connect(m_testButton, &QPushButton::clicked, this, [this] { m_state.test(); });
    m_testSymbol = new QLabel;
    m_testSymbol->setObjectName(QStringLiteral("testSymbol"));
    m_testSymbol->setFixedSize(kSymbolSize, kSymbolSize);
    m_testStatus = secondaryLabel(QString(), false);
    m_testStatus->setObjectName(QStringLiteral("testStatus"));
    m_testStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* testRow = new QWidget;
    auto* testLayout = new QHBoxLayout(testRow);
    testLayout->setContentsMargins(0, 0, 0, 0);
    testLayout->addWidget(m_testButton);
    testLayout->addWidget(m_testSymbol);
    testLayout->addWidget(m_testStatus, 1);
    testLayout->addStretch(); // holds the button at its size while no status shows
    g.box->addWidget(testRow);
    QLabel* keyLocation = helpText(SettingsState::keyLocationText(m_actions.dataFolder));
    keyLocation->setObjectName(QStringLiteral("keyLocation"));
    g.box->addWidget(keyLocation);

    QVBoxLayout* advanced = disclosure(g.box, QStringLiteral("keyAdvancedToggle"));
    QList<QLabel*> labels;
    const auto textRow = [&](const QString& label, const QString& name, QString AppConfig::*field) {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setAccessibleName(label);
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            m_state.edit([&](AppConfig& config) { config.*field = text; });
        });
        auto* widget = new QWidget;
        auto* layout = new QHBoxLayout(widget);
        layout->setContentsMargins(0, 0, 0, 0);
        labels.append(plainLabel(label));
        layout->addWidget(labels.last());
        layout->addWidget(edit, 1);
        advanced->addWidget(widget);
        return edit;
    };
    m_baseURL =
        textRow(QStringLiteral("接口地址"), QStringLiteral("baseURLField"), &AppConfig::baseURL);
    m_model = textRow(QStringLiteral("模型"), QStringLiteral("modelField"), &AppConfig::model);
    // The fields start at one edge, as a form's do.
    int labelWidth = 0;
    for (QLabel* label : labels)
        labelWidth = qMax(labelWidth, label->sizeHint().width());
    for (QLabel* label : labels)
        label->setFixedWidth(labelWidth);
    return g.widget;
}

QWidget* SettingsWindow::startGroup()
{
    FormGroup g = formGroup(QStringLiteral("启动"));
    m_launchAtLogin = switchRow(g.box, QStringLiteral("开机自动启动（只在托盘显示图标，不弹窗口）"),
                                QStringLiteral("launchAtLoginSwitch"));
    connect(m_launchAtLogin, &QCheckBox::toggled, this,
            [this](bool on) { m_state.setLaunchAtLogin(on); });
    g.box->addWidget(helpText(QStringLiteral("没开自动启动时，可以在应用菜单里搜索 Glossivo 打开。"
                                             "已经在运行时再打开一次，会弹出这个设置窗口。")));
    QLabel* version = plainLabel(m_actions.version);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setWordWrap(false);
    version->setForegroundRole(QPalette::PlaceholderText);
    g.box->addWidget(row({plainLabel(QStringLiteral("版本"))}, {version}));
    return g.widget;
}

QWidget* SettingsWindow::lookupGroup()
{
    FormGroup g = formGroup(QStringLiteral("查词方式和快捷键"));
    const auto bindSwitch = [this](QCheckBox* toggle, bool AppConfig::*field) {
        connect(toggle, &QCheckBox::toggled, this, [this, field](bool on) {
            m_state.edit([&](AppConfig& config) { config.*field = on; });
        });
    };
    const auto bindPicker = [this](QComboBox* picker, ModifierKey AppConfig::*field) {
        connect(picker, &QComboBox::activated, this, [this, picker, field](int index) {
            const auto key = static_cast<ModifierKey>(picker->itemData(index).toInt());
            m_state.edit([&](AppConfig& config) { config.*field = key; });
        });
    };

    m_dwell = switchRow(g.box, QStringLiteral("鼠标停在英文上，自动查这个词"),
                        QStringLiteral("dwellSwitch"));
    bindSwitch(m_dwell, &AppConfig::dwellLookup);
    m_dwellSlider = new QSlider(Qt::Horizontal);
    m_dwellSlider->setObjectName(QStringLiteral("dwellSlider"));
    m_dwellSlider->setAccessibleName(QStringLiteral("停多久才查"));
    m_dwellSlider->setRange(0, kDwellSteps);
    m_dwellSlider->setPageStep(1);
    m_dwellSlider->setFixedWidth(160);
    connect(m_dwellSlider, &QSlider::valueChanged, this, [this](int step) {
        m_state.edit(
            [&](AppConfig& config) { config.dwellSeconds = kDwellMinimum + step * kDwellStep; });
    });
    m_dwellValue = plainLabel(QString());
    m_dwellValue->setObjectName(QStringLiteral("dwellValue"));
    m_dwellValue->setWordWrap(false);
    m_dwellValue->setFixedWidth(48);
    m_dwellValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_dwellRow = row({plainLabel(QStringLiteral("停多久才查"))}, {m_dwellSlider, m_dwellValue});
    g.box->addWidget(m_dwellRow);
    m_dwellHelp = helpText(QStringLiteral("鼠标移开，卡片就自动收起；移到卡片上就不会收起。打字时、"
                                          "指着面板或任务栏时不会查。需要能截屏的 X11 会话。"));
    g.box->addWidget(m_dwellHelp);

    m_autoPopup = switchRow(g.box, QStringLiteral("划选 1～5 个英文单词时自动弹出解释"),
                            QStringLiteral("autoPopupSwitch"));
    bindSwitch(m_autoPopup, &AppConfig::autoPopupOnSelect);

    m_hover = switchRow(g.box, QStringLiteral("按住一个键，鼠标指着词马上识别"),
                        QStringLiteral("hoverSwitch"));
    bindSwitch(m_hover, &AppConfig::optionHoverOCR);
    m_hoverKey = keyPicker(QStringLiteral("hoverKeyPicker"));
    bindPicker(m_hoverKey, &AppConfig::hoverKey);
    m_hoverKeyRow = row({plainLabel(QStringLiteral("按住哪个键"))}, {m_hoverKey});
    g.box->addWidget(m_hoverKeyRow);

    m_region = switchRow(g.box, QStringLiteral("连按两下一个键，拖一个框翻译框里的文字"),
                         QStringLiteral("regionSwitch"));
    bindSwitch(m_region, &AppConfig::optionRegionTranslate);
    m_regionKey = keyPicker(QStringLiteral("regionKeyPicker"));
    bindPicker(m_regionKey, &AppConfig::regionKey);
    m_regionKeyRow = row({plainLabel(QStringLiteral("连按哪个键"))}, {m_regionKey});
    g.box->addWidget(m_regionKeyRow);
    m_sameKeyWarning =
        warning(QStringLiteral("两个功能用了同一个键，连按时也可能触发识别。建议选不同的键。"),
                QStringLiteral("sameKeyWarning"));
    g.box->addWidget(m_sameKeyWarning);
    g.box->addWidget(
        secondaryLabel(QStringLiteral("划选一长段英文时，旁边只会出现一个「译」字小图标，"
                                      "点了才翻译。\n点卡片外面任意地方或按 Esc 关闭卡片。"),
                       false));
    return g.widget;
}

QWidget* SettingsWindow::stepperRow(const QString& objectName, const QString& format,
                                    int AppConfig::*field, int minimum, int maximum, int step)
{
    auto* widget = new QWidget;
    widget->setObjectName(objectName);
    QLabel* label = plainLabel(QString());
    label->setObjectName(QStringLiteral("label"));
    const auto button = [&](const QString& text, const QString& name, int delta) {
        auto* press = new QToolButton;
        press->setObjectName(name);
        press->setText(text);
        press->setAutoRepeat(true);
        connect(press, &QToolButton::clicked, this, [this, field, minimum, maximum, delta] {
            m_state.edit([&](AppConfig& config) {
                config.*field = SettingsState::stepped(config.*field, delta, minimum, maximum);
            });
        });
        return press;
    };
    QToolButton* minus = button(QStringLiteral("−"), QStringLiteral("minus"), -step);
    QToolButton* plus = button(QStringLiteral("+"), QStringLiteral("plus"), step);
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label, 1);
    layout->setSpacing(2);
    layout->addWidget(minus);
    layout->addWidget(plus);
    m_stepperRefreshers.append([this, label, minus, plus, format, field, minimum, maximum] {
        const int value = m_state.config().config().*field;
        label->setText(QString(format).replace(QStringLiteral("%lld"), QString::number(value)));
        minus->setEnabled(value > minimum);
        plus->setEnabled(value < maximum);
    });
    return widget;
}

QWidget* SettingsWindow::reviewGroup()
{
    FormGroup g = formGroup(QStringLiteral("复习"));
    g.box->addWidget(stepperRow(QStringLiteral("learningSlotsStepper"),
                                QStringLiteral("「在学」名额：%lld 个"), &AppConfig::learningSlots,
                                10, 150, 10));
    g.box->addWidget(
        helpText(QStringLiteral("同时在学的词最多这么多个。每天的复习量只由它决定，存多少词都"
                                "不会增加压力。30 个大约每天 3 分钟，150 个大约每天 15 分钟。")));
    g.box->addWidget(stepperRow(QStringLiteral("dailyNewLimitStepper"),
                                QStringLiteral("每天最多补进 %lld 个新词"),
                                &AppConfig::dailyNewLimit, 1, 30, 1));
    g.box->addWidget(stepperRow(QStringLiteral("sessionSizeStepper"),
                                QStringLiteral("每轮最多 %lld 题"), &AppConfig::sessionSize, 5, 50,
                                5));
    m_recall = switchRow(g.box, QStringLiteral("查到已保存的词时，先遮住意思让我回想"),
                         QStringLiteral("recallSwitch"));
    connect(m_recall, &QCheckBox::toggled, this, [this](bool on) {
        m_state.edit([&](AppConfig& config) { config.recallOnLookup = on; });
    });
    QVBoxLayout* advanced = disclosure(g.box, QStringLiteral("reviewAdvancedToggle"));
    advanced->addWidget(stepperRow(QStringLiteral("graduateDaysStepper"),
                                   QStringLiteral("记牢 %lld 天以上算掌握"),
                                   &AppConfig::graduateDays, 7, 120, 7));
    advanced->addWidget(stepperRow(QStringLiteral("leechThresholdStepper"),
                                   QStringLiteral("错 %lld 次算难啃的词"),
                                   &AppConfig::leechThreshold, 2, 10, 1));
    advanced->addWidget(stepperRow(QStringLiteral("dormantDaysStepper"),
                                   QStringLiteral("「见过」的词 %lld 天没再遇到就沉睡"),
                                   &AppConfig::dormantDays, 7, 120, 7));
    return g.widget;
}

QWidget* SettingsWindow::wordBookGroup()
{
    FormGroup g = formGroup(QStringLiteral("生词本"));
    m_wordCount = plainLabel(QString());
    m_wordCount->setObjectName(QStringLiteral("wordCountLabel"));
    m_wordCount->setWordWrap(false);
    auto* widget = new QWidget;
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_wordCount);
    layout->addStretch(1);
    const auto opener = [&](const QString& text, const QString& name,
                            const std::function<void()>& open) {
        if (!open) return;
        auto* button = new QPushButton(text);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, open);
        layout->addWidget(button);
    };
    opener(QStringLiteral("手动添加"), QStringLiteral("addWordButton"), m_actions.showAddWord);
    opener(QStringLiteral("打开生词本"), QStringLiteral("openWordsButton"), m_actions.showWords);
    g.box->addWidget(widget);
    return g.widget;
}

QWidget* SettingsWindow::excludedGroup()
{
    FormGroup g =
        formGroup(QStringLiteral("这些应用里不弹出（也可以在托盘图标里一键停用当前应用）"));
    m_excludedRows = g.box;
    return g.widget;
}

void SettingsWindow::refresh()
{
    const AppConfig& config = m_state.config().config();
    refreshPermissions();
    refreshTest();
    {
        const QSignalBlocker blockKey(m_apiKey);
        const QSignalBlocker blockURL(m_baseURL);
        const QSignalBlocker blockModel(m_model);
        if (m_apiKey->text() != config.apiKey) m_apiKey->setText(config.apiKey);
        if (m_baseURL->text() != config.baseURL) m_baseURL->setText(config.baseURL);
        if (m_model->text() != config.model) m_model->setText(config.model);
    }
    const auto setChecked = [](QCheckBox* box, bool on) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    };
    setChecked(m_launchAtLogin, m_state.launchAtLogin());
    setChecked(m_dwell, config.dwellLookup);
    setChecked(m_autoPopup, config.autoPopupOnSelect);
    setChecked(m_hover, config.optionHoverOCR);
    setChecked(m_region, config.optionRegionTranslate);
    setChecked(m_recall, config.recallOnLookup);
    {
        const QSignalBlocker block(m_dwellSlider);
        m_dwellSlider->setValue(
            static_cast<int>(std::lround((config.dwellSeconds - kDwellMinimum) / kDwellStep)));
    }
    m_dwellValue->setText(SettingsState::dwellText(config.dwellSeconds));
    m_hoverKey->setCurrentIndex(m_hoverKey->findData(static_cast<int>(config.hoverKey)));
    m_regionKey->setCurrentIndex(m_regionKey->findData(static_cast<int>(config.regionKey)));
    m_dwellRow->setVisible(config.dwellLookup);
    m_dwellHelp->setVisible(config.dwellLookup);
    m_hoverKeyRow->setVisible(config.optionHoverOCR);
    m_regionKeyRow->setVisible(config.optionRegionTranslate);
    m_sameKeyWarning->setVisible(SettingsState::sameKeyWarning(config));
    for (const auto& refreshStepper : m_stepperRefreshers)
        refreshStepper();
    m_wordCount->setText(QStringLiteral("已保存 %1 个词").arg(m_words.entries().size()));
    refreshExcluded();
}

void SettingsWindow::refreshPermissions()
{
    const auto show = [](QWidget* row, const QString& detail, bool granted) {
        row->findChild<QLabel*>(QStringLiteral("detail"))->setText(detail);
        row->findChild<QWidget*>(QStringLiteral("granted"))->setVisible(granted);
        row->findChild<QPushButton*>(QStringLiteral("request"))->setVisible(!granted);
    };
    show(m_accessibilityRow, m_state.accessibilityDetail(), m_state.accessibility());
    show(m_screenRow, m_state.screenDetail(), m_state.screen());
    m_restartRow->setVisible(m_state.restartShown());
}

void SettingsWindow::refreshTest()
{
    m_testButton->setText(m_state.testing() ? QStringLiteral("测试中…")
                                            : QStringLiteral("测试一下"));
    m_testButton->setEnabled(m_state.canTest());
    const auto& ok = m_state.testOK();
    m_testSymbol->setVisible(ok.has_value());
    if (ok)
        m_testSymbol->setPixmap(symbolPixmap(*ok ? Symbol::checkmark : Symbol::cross, kSymbolSize));
    m_testStatus->setText(m_state.testStatus());
    // An empty text would be read out as a nameless label.
    m_testStatus->setVisible(!m_state.testStatus().isEmpty());
}

void SettingsWindow::refreshExcluded()
{
    const QList<SettingsState::ExcludedRow> rows = m_state.excludedRows(m_actions.applicationName);
    QStringList wanted;
    for (const auto& entry : rows)
        wanted.append(entry.id + QLatin1Char('\n') + entry.name);
    if (m_excludedRows->property("rows").toStringList() == wanted) return;
    m_excludedRows->setProperty("rows", wanted);
    // Later, since the click that removed an application may still be running in its row.
    while (QLayoutItem* item = m_excludedRows->takeAt(0)) {
        item->widget()->hide();
        item->widget()->deleteLater();
        delete item;
    }
    for (const auto& entry : rows) {
        auto* remove = new QPushButton(QStringLiteral("移除"));
        remove->setObjectName(QStringLiteral("remove:") + entry.id);
        remove->setFlat(true);
        const QString id = entry.id;
        connect(remove, &QPushButton::clicked, this, [this, id] { m_state.removeExcluded(id); });
        QLabel* name = plainLabel(entry.name);
        name->setWordWrap(false);
        QLabel* caption = secondaryLabel(entry.id, true);
        caption->setWordWrap(false);
        caption->setForegroundRole(QPalette::Mid);
        QWidget* line = row({name, caption}, {remove});
        line->setObjectName(QStringLiteral("excluded:") + entry.id);
        m_excludedRows->addWidget(line);
    }
    m_excludedRows->parentWidget()->setVisible(!rows.isEmpty());
}

} // namespace glossivo
