 Select  Kubun_Code, ( rtrim(Kubun_Name) + '/' + rtrim(Kubun_JangSo) ) As Total           
 From    Kubun_Table                                                                      
 Order   By   Kubun_Code                                                                  
