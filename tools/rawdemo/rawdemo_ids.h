/* Identifiers shared by rawdemo's resources and its code. */
#ifndef RAWDEMO_IDS_H
#define RAWDEMO_IDS_H

#define IDM_MAIN 100
#define IDM_CONTEXT 101
#define IDD_CONTROLS 102

#define CM_DIALOG 1001
#define CM_MESSAGE 1002
#define CM_EXIT 1003
#define CM_COPY 1004
#define CM_PASTE 1005
#define CM_ABOUT 1006
#define CM_OPTION_A 1007
#define CM_OPTION_B 1008

#define IDC_PUSH 2001
#define IDC_CHECK1 2002
#define IDC_CHECK2 2003
#define IDC_RADIO1 2004
#define IDC_RADIO2 2005
#define IDC_GROUP 2006
#define IDC_EDIT 2007
#define IDC_MEMO 2008
#define IDC_SIMPLE 2009
#define IDC_DROPDOWN 2010
#define IDC_DROPLIST 2011
#define IDC_LIST 2012
#define IDC_SCROLL 2013
#define IDC_TAB 2014
#define IDC_PROGRESS 2015
#define IDC_TRACK 2016
#define IDC_SPINEDIT 2017
#define IDC_UPDOWN 2018
#define IDC_LISTVIEW 2019

#endif
