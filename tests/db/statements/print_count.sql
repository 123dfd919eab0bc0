Select  *,
	Sawon_NameCode = (rtrim(Sawon_Name)  + '   ' + rtrim(Sawon_Code)),
	Buser_NameCode  = (rtrim(Buser_Name)  +  '   ' + rtrim(Buser_Code)),
	Kubun_NameCode = (rtrim(Kubun_Name) +  '   ' + rtrim(Kubun_Code)),
	Project_NameCode = (rtrim(Project_Name) +  '   ' + rtrim(Project_Code)),
	Item_NameCode = (rtrim(Item_Name) +  '   ' + rtrim(Item_Code))   
From    Account_Qel_AA
Where   rtrim(Date_Day)     =  :tbDateDay     and
        rtrim(Kubun_Bon)    =  :tbKubunBon    and
        rtrim(Serial_Qel)   =  :tbSerialQel

Order   By  Serial_Qel, Serial_Bun, Serial_CrDR
