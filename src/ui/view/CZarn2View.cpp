#include "view/CZarn2View.h"

#include "app/CMainFrame.h"
#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "view/CHistoryList.h"
#include "commands/CLibraryCommands.h"
#include "view/CListInput.h"
#include "view/CReportList.h"
#include "view/CReportListOrder.h"
#include "view/QtDialogRunner.h"
#include "view/ViewPointers.h"
#include "view/ViewStyle.h"

#include <QHeaderView>
#include <QMenu>

#include <algorithm>
#include <initializer_list>

namespace {
constexpr int kListTop = 10;
constexpr int kListHeight = 230;
constexpr int kSmallRowHeight = 17;
}  // namespace

CZarn2View::CZarn2View(CZarn2App& app, CZarn2Doc& doc, CMainFrame& frame)
    : QWidget(&frame),
      m_pApp(&app),
      m_pFrame(&frame),
      m_pDoc(&doc),
      m_listGroup(new CReportList(this, ViewStyle::kGroupBack, ViewStyle::kBlack)),
      m_listMember(new CReportList(this, ViewStyle::kMemberBack, ViewStyle::kBlack)),
      m_stats(this),
      m_listHistory(m_stats.m_listHistory),
      m_pGroupOrder(std::make_unique<CReportListOrder>(m_listGroup, [this] { return FillGroupList(); })),
      m_pMemberOrder(std::make_unique<CReportListOrder>(m_listMember, [this] { return FillMemberList(); })),
      m_pDialogs(std::make_unique<QtDialogRunner>(this, &app, m_pGroupOrder.get(), m_pMemberOrder.get())),
      m_pCommands(std::make_unique<CLibraryCommands>(&doc, this, m_pDialogs.get(),
                                                     [this] { return m_bBusy; }))
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(ViewStyle::kViewBack));
    setPalette(pal);
    setAutoFillBackground(true);

    m_listGroup->SetMarkedRow(
        [this] { return m_pDoc->CheckGroups() >= 0 ? m_pDoc->m_nCurrGroup : -1; },
        ViewStyle::kCurrGroupText);
    m_listMember->SetMarkedRow([this] { return CurrMemberIndex(); }, ViewStyle::kCurrMemberText);

    for (CReportList* list : {m_listGroup, m_listMember}) {
        list->setFont(ViewStyle::ListFont());
        connect(list->header(), &QHeaderView::sectionClicked, this, &CZarn2View::OnHeaderClicked);
    }
    connect(m_listHistory->header(), &QHeaderView::sectionClicked, this, &CZarn2View::OnHeaderClicked);
    setAcceptDrops(true);
    // The genre list takes dropped files and does nothing with them.
    m_listGroup->SetSwallowDrops(true);

    // Clicks and keys in the lists (they reach OnGroupClicked, OnMemberClicked and the
    // play commands from there).
    m_pInput = new CListInput(*this);

    // A play of the history list opens the play log dialog on it.
    m_listHistory->SetEditable([this] { return m_pCommands->PlayLogEditEnabled(); });
    connect(m_listHistory, &CHistoryList::EditRequested, this, &CZarn2View::OnHistoryRowEdit);
}

CZarn2View::~CZarn2View()
{
    if (g_pGroupOrderView == this) {
        g_pGroupOrderView = nullptr;
        g_pGroupOrderDoc = nullptr;
    }
    if (g_pMemberOrderView == this) {
        g_pMemberOrderView = nullptr;
        g_pMemberOrderDoc = nullptr;
    }
}

void CZarn2View::OnInitialUpdate()
{
    m_pFrame->m_pView = this;
    m_pFrame->m_pDoc = m_pDoc;
    g_pGroupOrderView = this;
    g_pGroupOrderDoc = m_pDoc;
    g_pMemberOrderView = this;
    g_pMemberOrderDoc = m_pDoc;

    SetupList(m_listGroup, 10, 240, QStringLiteral("        ジ ャ ン ル"));
    SetupList(m_listMember, 260, 470, QStringLiteral("　　　　　　　　タ イ ト ル"));
    m_stats.Setup(m_pApp->HistoryMode);

    FillGroupList();
    FillMemberList();
    UpdateStatistics();
    UpdateCommandUI();
    if (HasMembers())
        m_listMember->setFocus();
}

void CZarn2View::SetupList(CReportList* list, int x, int width, const QString& heading)
{
    list->setGeometry(x, kListTop, width, kListHeight);
    list->AddColumn(heading, list->ClientWidth() - 17, Qt::AlignLeft);
    list->DeleteAllItems();
}

bool CZarn2View::HasGroups() const { return m_pDoc->CheckGroups() > 0; }

bool CZarn2View::HasMembers() const { return m_pDoc->GetMemberCount() > 0; }

int CZarn2View::CurrMemberIndex() const
{
    if (m_pDoc->CheckGroups() <= 0)
        return -1;
    CGroup* group = m_pDoc->CurrGroup();
    if (group == nullptr || group->Check() < 0)
        return -1;
    return group->m_nCurrMember;
}

int CZarn2View::FillGroupList()
{
    m_listGroup->DeleteAllItems();
    bool consistent = m_pDoc->CheckGroups() >= 0;
    int count = consistent ? m_pDoc->m_nGroupCount : 0;
    for (int i = 0; i < count; ++i)
        m_listGroup->InsertRow({QString::fromStdString(m_pDoc->m_Group[static_cast<std::size_t>(i)].m_szName)});
    int current = m_pDoc->m_nCurrGroup;
    if (consistent && current > 10)
        m_listGroup->ScrollDown((current - 10) * kSmallRowHeight);
    m_stats.FollowShownTitle(*m_pDoc);
    if (!consistent || current < 0)
        return -1;
    m_listGroup->SelectRow(current);
    return current;
}

int CZarn2View::FillMemberList()
{
    m_listMember->DeleteAllItems();
    int iconSize = m_pApp->IconSize;
    int pixels = CTitleIcons::PixelSize(iconSize);
    m_listMember->setIconSize(QSize(pixels, pixels));
    m_listMember->SetRowHeight(iconSize == 0 ? kSmallRowHeight : pixels + 1);

    CGroup* group = HasGroups() ? m_pDoc->CurrGroup() : nullptr;
    bool consistent = group != nullptr && group->Check() >= 0;
    int count = consistent ? group->m_nMemberCount : 0;
    QList<QStringList> rows;
    QStringList iconPaths;
    for (int i = 0; i < count; ++i) {
        const std::string* iconPath = m_pDoc->GetMemberIconPath(i);
        CMember* member = m_pDoc->GetMember(i);
        rows.append({member ? QString::fromStdString(member->m_szName) : QString()});
        iconPaths.append(iconPath ? QString::fromStdString(*iconPath) : QString());
    }
    // An icon is read when its row is first painted: only the rows in view cost a read.
    m_listMember->InsertRows(rows, [iconPaths, iconSize](int row) {
        return CTitleIcons().Icon(iconPaths.value(row), iconSize);
    });
    if (consistent && group->m_nCurrMember > 5)
        m_listMember->ScrollDown(group->m_nCurrMember * (iconSize + 1) * 16);
    m_stats.FollowShownTitle(*m_pDoc);
    return SelectCurrMember();
}

void CZarn2View::SetGroupSelectionMark(int row) { m_listGroup->SelectRow(row); }

void CZarn2View::SetMemberSelectionMark(int row) { m_listMember->SelectRow(row); }

int CZarn2View::SelectCurrMember()
{
    int current = CurrMemberIndex();
    if (current < 0)
        return -1;
    m_listMember->SelectRow(current);
    return current;
}

void CZarn2View::ShowPopupMenu(int submenu, const QPoint& screenPos)
{
    QMenu* source = m_pFrame->SubMenu(submenu);
    if (source == nullptr)
        return;
    // A menu of its own for this one showing, holding the main menu's commands: a choice
    // reaches the same handlers as the main menu.
    QMenu popup(this);
    popup.addActions(source->actions());
    UpdateCommandUI();
    popup.exec(screenPos);
}

void CZarn2View::UpdateStatistics()
{
    int mode = m_pApp->HistoryMode;
    int groups = std::max(m_pDoc->GetGroupCount(), 0);
    int members = std::max(m_pDoc->GetMemberCount(), 0);
    m_pFrame->SetGenreCounter(groups > 0 ? std::max(m_pDoc->m_nCurrGroup + 1, 0) : 0, groups);
    m_pFrame->SetTitleCounter(std::max(CurrMemberIndex() + 1, 0), members);
    m_stats.Refresh(*m_pDoc, mode);
    Q_EMIT StatisticsUpdated();
}

void CZarn2View::OnGroupClicked(int row)
{
    if (m_bBusy || row < 0)
        return;
    // Found by name in the library as it is on disk; an index the library rejects, or a
    // genre gone meanwhile, is reported and ignored.
    const std::uint64_t reloads = m_pDoc->m_nDiskReloads;
    m_pDoc->SelectGroup(row);
    if (m_pDoc->m_nDiskReloads != reloads)
        FillGroupList();
    else
        m_listGroup->viewport()->update();
    FillMemberList();
    UpdateStatistics();
}

void CZarn2View::OnMemberClicked(int row)
{
    if (m_bBusy || row < 0)
        return;
    m_pDoc->SetCurrMember(row);
    m_listMember->viewport()->update();
    UpdateStatistics();
}
